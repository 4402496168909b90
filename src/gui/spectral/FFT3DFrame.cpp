#include "FFT3DFrame.h"

#include "FFT3DView.h"

#include "core/spectral/WaterfallSettings.h"
#include "gui/app/DialogBarControls.h"
#include "gui/app/ResoniApp.h"
#include "gui/app/UiDialogs.h"
#include "gui/document/ResoniDoc.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Two radios in one row, exclusive among themselves only.
void pair(QBoxLayout* row, const QString& first, const QString& second, QRadioButton*& a, QRadioButton*& b,
          QWidget* parent)
{
    a = new QRadioButton(first, parent);
    b = new QRadioButton(second, parent);
    auto* group = new QButtonGroup(parent);
    group->addButton(a);
    group->addButton(b);
    row->addWidget(a);
    row->addWidget(b);
}

QColor toQColor(const Rgb& c)
{
    return QColor(c.red, c.green, c.blue);
}

void showColour(QPushButton* button, const Rgb& c)
{
    button->setStyleSheet(QStringLiteral("background-color: %1").arg(toQColor(c).name()));
}

} // namespace

CFFT3DFrame::CFFT3DFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::FFT3D), new CFFT3DView(doc))
{
    BuildDialogBar();
    SyncControls();
}

CFFT3DView* CFFT3DFrame::fft3DView() const
{
    return static_cast<CFFT3DView*>(view());
}

void CFFT3DFrame::StoreSettings()
{
    fft3DView()->StoreSettings();
}

template <typename F> void CFFT3DFrame::Change(F&& change)
{
    WaterfallSettings s = fft3DView()->settings();
    change(s);
    fft3DView()->setSettings(s);
    SyncControls();
}

void CFFT3DFrame::PickColour(bool bBackground)
{
    const WaterfallSettings& s = fft3DView()->settings();
    const std::optional<QColor> chosen =
        m_doc.app().dialogs().chooseColour(toQColor(bBackground ? s.background : s.dataColour));
    if (!chosen || !chosen->isValid())
        return;
    const Rgb rgb{static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
                  static_cast<std::uint8_t>(chosen->blue())};
    Change([&](WaterfallSettings& w) { (bBackground ? w.background : w.dataColour) = rgb; });
}

void CFFT3DFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();

    auto* freq = new QGroupBox(QStringLiteral("Frequenz"), bar);
    auto* freqGrid = new QGridLayout(freq);
    m_pBottomHz = DialogBarControls::spin(1, 999, freq);
    m_pTopkHz = DialogBarControls::spin(1, 100, freq);
    freqGrid->addWidget(m_pBottomHz, 0, 0);
    freqGrid->addWidget(new QLabel(QStringLiteral("Hz"), freq), 0, 1);
    freqGrid->addWidget(m_pTopkHz, 1, 0);
    freqGrid->addWidget(new QLabel(QStringLiteral("kHz"), freq), 1, 1);
    auto* freqScale = new QHBoxLayout;
    pair(freqScale, QStringLiteral("Lin"), QStringLiteral("Log"), m_pFreqLin, m_pFreqLog, freq);
    freqGrid->addLayout(freqScale, 2, 0, 1, 2);
    v->addWidget(freq);

    auto* amp = new QGroupBox(QStringLiteral("Amplitude"), bar);
    auto* ampRow = new QHBoxLayout(amp);
    pair(ampRow, QStringLiteral("Lin"), QStringLiteral("Log"), m_pAmpLin, m_pAmpLog, amp);
    v->addWidget(amp);

    auto* widthRow = new QHBoxLayout;
    m_pBreite = new QSlider(Qt::Horizontal, bar);
    m_pBreite->setRange(1, 20);
    m_pBreite->setSingleStep(1);
    m_pBreite->setPageStep(1);
    widthRow->addWidget(new QLabel(QStringLiteral("Breite"), bar));
    widthRow->addWidget(m_pBreite);
    v->addLayout(widthRow);

    auto* view = new QGroupBox(QStringLiteral("Ansicht"), bar);
    auto* viewBox = new QVBoxLayout(view);
    auto* precisionRow = new QHBoxLayout;
    m_pPraezision = DialogBarControls::spin(1, 20, view);
    precisionRow->addWidget(new QLabel(QString::fromUtf8("Präzision"), view));
    precisionRow->addWidget(m_pPraezision);
    viewBox->addLayout(precisionRow);
    auto* fillRow = new QHBoxLayout;
    pair(fillRow, QString::fromUtf8("Flächen"), QStringLiteral("Gitter"), m_pSolid, m_pWire, view);
    viewBox->addLayout(fillRow);
    v->addWidget(view);

    auto* colour = new QGroupBox(QStringLiteral("Farbe"), bar);
    auto* colourGrid = new QGridLayout(colour);
    auto* colourRow = new QHBoxLayout;
    pair(colourRow, QStringLiteral("Bunt"), QStringLiteral("Fest"), m_pBunt, m_pFest, colour);
    colourGrid->addLayout(colourRow, 0, 0, 1, 2);
    m_pDataColour = new QPushButton(colour);
    m_pBackColour = new QPushButton(colour);
    for (QPushButton* button : {m_pDataColour, m_pBackColour})
        button->setFixedSize(24, 18);
    colourGrid->addWidget(m_pDataColour, 1, 0);
    colourGrid->addWidget(new QLabel(QStringLiteral("Daten"), colour), 1, 1);
    colourGrid->addWidget(m_pBackColour, 2, 0);
    colourGrid->addWidget(new QLabel(QStringLiteral("Hintergund"), colour), 2, 1);
    v->addWidget(colour);

    v->addWidget(BuildPositionGroup(bar));
    m_pSave = new QPushButton(QStringLiteral("Save"), bar);
    v->addWidget(m_pSave);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);

    using S = WaterfallSettings;
    connect(m_pBottomHz, &QSpinBox::valueChanged, this, [this](int n) { Change([n](S& s) { s.nBottomCutHz = n; }); });
    connect(m_pTopkHz, &QSpinBox::valueChanged, this, [this](int n) { Change([n](S& s) { s.nTopCutkHz = n; }); });
    connect(m_pFreqLin, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsFreqLinear = true; }); });
    connect(m_pFreqLog, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsFreqLinear = false; }); });
    connect(m_pAmpLin, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsAmpLinear = true; }); });
    connect(m_pAmpLog, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsAmpLinear = false; }); });
    connect(m_pBreite, &QSlider::valueChanged, this, [this](int n) { Change([n](S& s) { s.nBreite = n; }); });
    connect(m_pPraezision, &QSpinBox::valueChanged, this, [this](int n) { Change([n](S& s) { s.nPraezision = n; }); });
    connect(m_pSolid, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsWire = false; }); });
    connect(m_pWire, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsWire = true; }); });
    connect(m_pBunt, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsBunt = true; }); });
    connect(m_pFest, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsBunt = false; }); });
    connect(m_pDataColour, &QPushButton::clicked, this, [this] { PickColour(false); });
    connect(m_pBackColour, &QPushButton::clicked, this, [this] { PickColour(true); });
    connect(m_pSave, &QPushButton::clicked, this,
            [this] { fft3DView()->SaveView(QStringLiteral("Speichert diese FFT3D Ansicht...")); });
}

QWidget* CFFT3DFrame::BuildPositionGroup(QWidget* bar)
{
    // Each button holds its key for one frame: rotation about x, y, z (O/P, K/L, M/N) and
    // translation along x, y, z (X/C, V/B, G/H).
    struct Row
    {
        const char* caption;
        Key3D less, more;
    };
    static const Row kRows[] = {{"Drehung x", Key3D::O, Key3D::P},      {"Drehung y", Key3D::K, Key3D::L},
                                {"Drehung z", Key3D::M, Key3D::N},      {"Verschiebung x", Key3D::X, Key3D::C},
                                {"Verschiebung y", Key3D::V, Key3D::B}, {"Verschiebung z", Key3D::G, Key3D::H}};
    auto* position = new QGroupBox(QStringLiteral("Position"), bar);
    auto* grid = new QGridLayout(position);
    int r = 0;
    for (const Row& row : kRows) {
        grid->addWidget(new QLabel(QString::fromUtf8(row.caption), position), r, 0);
        for (const auto& [text, key, column] : {std::tuple{"<", row.less, 1}, std::tuple{">", row.more, 2}}) {
            auto* button = new QPushButton(QString::fromLatin1(text), position);
            button->setFixedWidth(28);
            button->setAutoRepeat(true);
            connect(button, &QPushButton::clicked, this, [this, k = key] { fft3DView()->PressOneFrame(k); });
            grid->addWidget(button, r, column);
        }
        ++r;
    }
    m_pReset = new QPushButton(QStringLiteral("Reset"), position);
    connect(m_pReset, &QPushButton::clicked, this, [this] { fft3DView()->ResetView(); });
    grid->addWidget(m_pReset, r, 0, 1, 3);
    return position;
}

void CFFT3DFrame::SyncControls()
{
    const WaterfallSettings& s = fft3DView()->settings();
    const auto set = [](auto* control, int value) {
        const QSignalBlocker block(control);
        control->setValue(value);
    };
    set(m_pBottomHz, s.nBottomCutHz);
    set(m_pTopkHz, s.nTopCutkHz);
    set(m_pBreite, s.nBreite);
    set(m_pPraezision, s.nPraezision);
    (s.bIsFreqLinear ? m_pFreqLin : m_pFreqLog)->setChecked(true);
    (s.bIsAmpLinear ? m_pAmpLin : m_pAmpLog)->setChecked(true);
    (s.bIsWire ? m_pWire : m_pSolid)->setChecked(true);
    (s.bIsBunt ? m_pBunt : m_pFest)->setChecked(true);
    showColour(m_pDataColour, s.dataColour);
    showColour(m_pBackColour, s.background);
}
