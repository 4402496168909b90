#include "D3DRekoFrame.h"

#include "RekoView.h"

#include "core/nonlinear/RekoSettings.h"
#include "gui/app/DialogBarControls.h"
#include "gui/app/ResoniApp.h"
#include "gui/app/UiDialogs.h"
#include "gui/document/ResoniDoc.h"
#include "gui/render3d/Render3DWidget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The keys the rotation buttons hold for one frame: "<" and ">" about x, y and z.
constexpr std::array<Key3D, 6> kRotationKeys = {Key3D::O, Key3D::P, Key3D::K, Key3D::L, Key3D::M, Key3D::N};

QColor ToQColor(const Rgb& c)
{
    return QColor(c.red, c.green, c.blue);
}

Rgb ToRgb(const QColor& c)
{
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

// A colour button shows its colour as its face; an invalid colour gives the system colours back.
void ShowColour(QPushButton* button, const QColor& colour)
{
    if (!colour.isValid()) {
        button->setStyleSheet(QString());
        return;
    }
    const QColor text = colour.lightness() < 128 ? Qt::white : Qt::black;
    button->setStyleSheet(QStringLiteral("background-color: %1; color: %2;").arg(colour.name(), text.name()));
}

} // namespace

CD3DRekoFrame::CD3DRekoFrame(CResoniDoc& doc)
    : CModuleChildFrame(doc, moduleInfo(Module::Reko), new CRekoView(doc))
{
    BuildDialogBar();
    ConnectControls();
    SyncControls();
    m_pAutok->setText(QString::number(doc.m_nFirstMinLag));
}

CRekoView* CD3DRekoFrame::rekoView() const
{
    return static_cast<CRekoView*>(view());
}

void CD3DRekoFrame::StoreSettings()
{
    rekoView()->StoreSettings();
}

template <typename F> void CD3DRekoFrame::Change(F&& change)
{
    RekoSettings s = rekoView()->settings();
    change(s);
    rekoView()->setSettings(s);
    SyncControls();
}

void CD3DRekoFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();

    m_pReset = new QPushButton(QStringLiteral("ResetView"), bar);
    m_pSave = new QPushButton(QStringLiteral("SaveView"), bar);
    v->addWidget(m_pReset);
    v->addWidget(m_pSave);

    auto* tauGroup = new QGroupBox(QStringLiteral("Tau"), bar);
    auto* tauRow = new QHBoxLayout(tauGroup);
    m_pTau = DialogBarControls::spin(kRekoTauMin, kRekoTauMax, tauGroup);
    tauRow->addWidget(m_pTau);
    v->addWidget(tauGroup);

    auto* colourGroup = new QGroupBox(QStringLiteral("Farbe"), bar);
    auto* colourColumn = new QVBoxLayout(colourGroup);
    m_pBunt = new QRadioButton(QStringLiteral("Bunt"), colourGroup);
    m_pFest = new QRadioButton(QStringLiteral("Fest"), colourGroup);
    m_pFarbwahl = new QPushButton(QStringLiteral("Farbwahl"), colourGroup);
    colourColumn->addWidget(m_pBunt);
    colourColumn->addWidget(m_pFest);
    colourColumn->addWidget(m_pFarbwahl);
    v->addWidget(colourGroup);

    auto* turnGroup = new QGroupBox(QStringLiteral("Drehung"), bar);
    auto* turnGrid = new QGridLayout(turnGroup);
    const char* const axes[] = {"x-Achse", "y-Achse", "z-Achse"};
    for (int a = 0; a < 3; ++a) {
        auto* less = new QPushButton(QStringLiteral("<"), turnGroup);
        auto* more = new QPushButton(QStringLiteral(">"), turnGroup);
        for (QPushButton* b : {less, more}) {
            b->setMaximumWidth(24);
            b->setAutoDefault(false);
        }
        m_pRotate[static_cast<std::size_t>(2 * a)] = less;
        m_pRotate[static_cast<std::size_t>(2 * a + 1)] = more;
        turnGrid->addWidget(less, a, 0);
        turnGrid->addWidget(new QLabel(QString::fromUtf8(axes[a]), turnGroup), a, 1, Qt::AlignCenter);
        turnGrid->addWidget(more, a, 2);
    }
    v->addWidget(turnGroup);

    auto* viewGroup = new QGroupBox(QStringLiteral("Ansicht"), bar);
    auto* viewColumn = new QVBoxLayout(viewGroup);
    m_pLinien = new QRadioButton(QStringLiteral("Linien"), viewGroup);
    m_pPunkte = new QRadioButton(QStringLiteral("Punkte"), viewGroup);
    m_pSize = DialogBarControls::spin(kRekoSizeMin, kRekoSizeMax, viewGroup);
    viewColumn->addWidget(m_pLinien);
    viewColumn->addWidget(m_pPunkte);
    viewColumn->addWidget(new QLabel(QString::fromUtf8("Punktgröße"), viewGroup));
    viewColumn->addWidget(m_pSize);
    v->addWidget(viewGroup);
    auto* modes = new QButtonGroup(viewGroup);
    modes->addButton(m_pLinien);
    modes->addButton(m_pPunkte);

    v->addWidget(new QLabel(QStringLiteral("Punktzahl"), bar));
    m_pPunktzahl = new QLineEdit(bar);
    m_pPunktzahl->setValidator(new QIntValidator(1, 100000000, m_pPunktzahl));
    m_pPunktzahl->setMaximumWidth(72);
    v->addWidget(m_pPunktzahl);

    v->addWidget(new QLabel(QStringLiteral("Autok.\nMin/Ns."), bar));
    m_pAutok = new QLineEdit(bar);
    m_pAutok->setReadOnly(true);
    m_pAutok->setMaximumWidth(72);
    v->addWidget(m_pAutok);

    m_pBkg = new QPushButton(QStringLiteral("Bkg-Farbe"), bar);
    v->addWidget(m_pBkg);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);
}

void CD3DRekoFrame::ConnectControls()
{
    CRekoView* view = rekoView();
    using S = RekoSettings;
    connect(m_pReset, &QPushButton::clicked, view, [view] {
        if (view->renderWindow())
            view->renderWindow()->resetView();
    });
    connect(m_pSave, &QPushButton::clicked, view, [view] { view->SaveView(view->SaveTitle()); });
    connect(m_pTau, &QSpinBox::valueChanged, this, [this](int n) { Change([n](S& s) { s.nTau = n; }); });
    connect(m_pBunt, &QRadioButton::clicked, this, [this] {
        m_bFarbwahlShown = false;
        Change([](S& s) { s.bIsBunt = true; });
    });
    connect(m_pFest, &QRadioButton::clicked, this, [this] { Change([](S& s) { s.bIsBunt = false; }); });
    connect(m_pFarbwahl, &QPushButton::clicked, this, &CD3DRekoFrame::OnFarbwahl);
    connect(m_pBkg, &QPushButton::clicked, this, &CD3DRekoFrame::OnBkgFarbe);
    for (std::size_t i = 0; i < m_pRotate.size(); ++i)
        connect(m_pRotate[i], &QPushButton::clicked, view, [view, key = kRotationKeys[i]] {
            if (view->renderWindow())
                view->renderWindow()->pressOneFrame(key);
        });
    connect(m_pPunkte, &QRadioButton::clicked, this, [this] {
        Change([](S& s) {
            s.bIsPunkte = true;
            s.fPointSize = 1.0f;
        });
    });
    connect(m_pLinien, &QRadioButton::clicked, this, [this] {
        Change([](S& s) {
            s.bIsPunkte = false;
            s.fPointSize = 1.0f;
        });
    });
    connect(m_pSize, &QSpinBox::valueChanged, this, [this](int n) {
        Change([n](S& s) {
            s.fSizePts = static_cast<float>(n);
            s.fPointSize = static_cast<float>(n) * 0.5f;
        });
    });
    // Corrected once the typing is done (Enter or leaving the field), not digit by digit.
    connect(m_pPunktzahl, &QLineEdit::editingFinished, this, &CD3DRekoFrame::OnPunktzahlEdited);
    connect(view, &CRekoView::firstMinLagShown, m_pAutok,
            [this](int lag) { m_pAutok->setText(QString::number(lag)); });
}

void CD3DRekoFrame::OnPunktzahlEdited()
{
    const int typed = m_pPunktzahl->text().toInt();
    Change([typed](RekoSettings& s) { s.nNumRekoPoints = RekoPunktzahl(typed, s.nTau); });
}

void CD3DRekoFrame::OnFarbwahl()
{
    const std::optional<QColor> chosen =
        m_doc.app().dialogs().chooseColour(ToQColor(rekoView()->settings().clrFixed));
    if (!chosen)
        return;
    m_bFarbwahlShown = true;
    Change([c = ToRgb(*chosen)](RekoSettings& s) {
        s.clrFixed = c;
        s.bIsBunt = false;
    });
}

void CD3DRekoFrame::OnBkgFarbe()
{
    const std::optional<QColor> chosen =
        m_doc.app().dialogs().chooseColour(ToQColor(rekoView()->settings().clrBackBuffer));
    if (chosen)
        Change([c = ToRgb(*chosen)](RekoSettings& s) { s.clrBackBuffer = c; });
}

void CD3DRekoFrame::SyncControls()
{
    const RekoSettings& s = rekoView()->settings();
    const auto set = [](QSpinBox* spin, int value) {
        const QSignalBlocker block(spin);
        spin->setValue(value);
    };
    set(m_pTau, s.nTau);
    set(m_pSize, static_cast<int>(s.fSizePts));
    m_pSize->setEnabled(s.bIsPunkte);
    (s.bIsBunt ? m_pBunt : m_pFest)->setChecked(true);
    (s.bIsPunkte ? m_pPunkte : m_pLinien)->setChecked(true);
    m_pPunktzahl->setText(QString::number(s.nNumRekoPoints));
    ShowColour(m_pFarbwahl, m_bFarbwahlShown && !s.bIsBunt ? ToQColor(s.clrFixed) : QColor());
}
