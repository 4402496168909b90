#include "SonoFrame.h"

#include "SonoView.h"

#include "core/spectral/SonoSettings.h"
#include "gui/app/DialogBarControls.h"
#include "gui/document/ResoniDoc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A read-only field with its caption before and its unit after.
QLineEdit* readOut(QGridLayout* grid, int row, const QString& caption, const QString& unit, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setMaximumWidth(72);
    grid->addWidget(new QLabel(caption, parent), row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(new QLabel(unit, parent), row, 2);
    return field;
}

// "Lin" / "Log" in one row of a grid, exclusive among themselves only.
void linLog(QGridLayout* grid, int row, const QString& caption, QRadioButton*& lin, QRadioButton*& log,
            QWidget* parent)
{
    lin = new QRadioButton(QStringLiteral("Lin"), parent);
    log = new QRadioButton(QStringLiteral("Log"), parent);
    auto* group = new QButtonGroup(parent);
    group->addButton(lin);
    group->addButton(log);
    grid->addWidget(new QLabel(caption, parent), row, 0);
    grid->addWidget(lin, row, 1);
    grid->addWidget(log, row, 2);
}

} // namespace

CSonoFrame::CSonoFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Sono), new CSonoView(doc))
{
    BuildDialogBar();
    SyncControls();
    m_pFFT->setText(QString::number(doc.m_nFFTSize));
    connect(sonoView(), &CSonoView::fftSizeShown, this,
            [this](int points) { m_pFFT->setText(QString::number(points)); });
    connect(sonoView(), &CSonoView::frequencyShown, m_pFreq, &QLineEdit::setText);
}

CSonoView* CSonoFrame::sonoView() const
{
    return static_cast<CSonoView*>(view());
}

void CSonoFrame::StoreSettings()
{
    sonoView()->StoreSettings();
}

template <typename F> void CSonoFrame::Change(F&& change)
{
    SonoSettings s = sonoView()->settings();
    change(s);
    sonoView()->setSettings(s);
    SyncControls();
}

void CSonoFrame::SetTopCutkHz(int nkHz)
{
    Change([nkHz](SonoSettings& s) { s.nTopCutkHz = nkHz; });
}

void CSonoFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();

    auto* range = new QGroupBox(QStringLiteral("Frequenzbereich"), bar);
    auto* rangeGrid = new QGridLayout(range);
    m_pBottomHz = DialogBarControls::spin(1, 999, range);
    m_pTopkHz = DialogBarControls::spin(1, 100, range);
    rangeGrid->addWidget(m_pBottomHz, 0, 0);
    rangeGrid->addWidget(new QLabel(QStringLiteral("Hz"), range), 0, 1);
    rangeGrid->addWidget(m_pTopkHz, 1, 0);
    rangeGrid->addWidget(new QLabel(QStringLiteral("kHz"), range), 1, 1);
    v->addWidget(range);

    auto* scales = new QGroupBox(QStringLiteral("Skalierung"), bar);
    auto* scaleGrid = new QGridLayout(scales);
    linLog(scaleGrid, 0, QStringLiteral("Amplitude"), m_pAmpLin, m_pAmpLog, scales);
    linLog(scaleGrid, 1, QStringLiteral("Frequenz"), m_pFreqLin, m_pFreqLog, scales);
    v->addWidget(scales);

    auto* palette = new QGroupBox(QStringLiteral("Palette"), bar);
    auto* paletteRow = new QVBoxLayout(palette);
    m_pFarbig1 = new QRadioButton(QStringLiteral("Farbig1"), palette);
    m_pFarbig2 = new QRadioButton(QStringLiteral("Farbig2"), palette);
    paletteRow->addWidget(m_pFarbig1);
    paletteRow->addWidget(m_pFarbig2);
    v->addWidget(palette);

    auto* width = new QGroupBox(QStringLiteral("Linienbreite"), bar);
    auto* widthRow = new QHBoxLayout(width);
    m_pLineWidth = DialogBarControls::spin(1, 9, width);
    widthRow->addWidget(m_pLineWidth);
    v->addWidget(width);

    m_pSmooth = new QCheckBox(QString::fromUtf8("Glättung"), bar);
    v->addWidget(m_pSmooth);

    auto* zoomRow = new QHBoxLayout;
    m_pZoom = new QSlider(Qt::Vertical, bar);
    m_pZoom->setRange(0, 10);
    m_pZoom->setTickInterval(1);
    m_pZoom->setSingleStep(1);
    m_pZoom->setPageStep(1);
    m_pZoom->setTickPosition(QSlider::TicksRight);
    m_pZoom->setMinimumHeight(110);
    zoomRow->addWidget(new QLabel(QStringLiteral("Zoom"), bar), 0, Qt::AlignTop);
    zoomRow->addWidget(m_pZoom);
    zoomRow->addStretch(1);
    v->addLayout(zoomRow);

    auto* readOuts = new QGridLayout;
    m_pFreq = readOut(readOuts, 0, QStringLiteral("Freq:"), QStringLiteral("Hz"), bar);
    m_pFFT = readOut(readOuts, 1, QStringLiteral("FFT:"), QStringLiteral("Pt"), bar);
    v->addLayout(readOuts);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);

    using S = SonoSettings;
    connect(m_pBottomHz, &QSpinBox::valueChanged, this,
            [this](int n) { Change([n](S& s) { s.nBottomCutHz = n; }); });
    connect(m_pTopkHz, &QSpinBox::valueChanged, this,
            [this](int n) { Change([n](S& s) { s.nTopCutkHz = n; }); });
    connect(m_pAmpLin, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsAmpLinear = true; }); });
    connect(m_pAmpLog, &QRadioButton::clicked, this,
            [this] { Change([](S& s) { s.bIsAmpLinear = false; }); });
    connect(m_pFreqLin, &QRadioButton::clicked, this,
            [this] { Change([](S& s) { s.bIsFreqLinear = true; }); });
    connect(m_pFreqLog, &QRadioButton::clicked, this,
            [this] { Change([](S& s) { s.bIsFreqLinear = false; }); });
    connect(m_pFarbig1, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsFarbig1 = true; }); });
    connect(m_pFarbig2, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsFarbig1 = false; }); });
    connect(m_pLineWidth, &QSpinBox::valueChanged, this,
            [this](int n) { Change([n](S& s) { s.nLiniendicke = n; }); });
    connect(m_pSmooth, &QCheckBox::clicked, this,
            [this](bool on) { Change([on](S& s) { s.bIsSmooth = on; }); });
    connect(m_pZoom, &QSlider::valueChanged, this,
            [this](int n) { Change([n](S& s) { s.nZoomPosition = n; }); });
}

void CSonoFrame::SyncControls()
{
    const SonoSettings& s = sonoView()->settings();
    const auto set = [](auto* control, int value) {
        const QSignalBlocker block(control);
        control->setValue(value);
    };
    set(m_pBottomHz, s.nBottomCutHz);
    set(m_pTopkHz, s.nTopCutkHz);
    set(m_pLineWidth, s.nLiniendicke);
    set(m_pZoom, s.nZoomPosition.value_or(kSonoZoomStart));
    (s.bIsAmpLinear ? m_pAmpLin : m_pAmpLog)->setChecked(true);
    (s.bIsFreqLinear ? m_pFreqLin : m_pFreqLog)->setChecked(true);
    (s.bIsFarbig1 ? m_pFarbig1 : m_pFarbig2)->setChecked(true);
    m_pSmooth->setChecked(s.bIsSmooth);
}
