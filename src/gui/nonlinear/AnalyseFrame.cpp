#include "AnalyseFrame.h"

#include "AnalyseView.h"

#include "core/nonlinear/DigitText.h"
#include "gui/app/DialogBarControls.h"
#include "gui/document/ResoniDoc.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

const char* const kModeNames[3] = {"Lyapunovexponentenspektrum", "Maximaler Lyapunovexponent",
                                   "Korrelationsdimensionen"};

QSlider* Slider(int lo, int hi, QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(lo, hi);
    return slider;
}

QLineEdit* Edit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaximumWidth(64);
    return edit;
}

// A group: caption, then slider with its two end labels, then the edit.
QGroupBox* SliderGroup(const QString& caption, QSlider* slider, QLabel* low, QLabel* high, QLineEdit* edit,
                       QWidget* parent, QLabel** captionLabel = nullptr)
{
    auto* box = new QGroupBox(parent);
    auto* grid = new QGridLayout(box);
    auto* label = new QLabel(caption, box);
    if (captionLabel)
        *captionLabel = label;
    grid->addWidget(label, 0, 0, 1, 3);
    grid->addWidget(low, 1, 0);
    grid->addWidget(slider, 1, 1);
    grid->addWidget(high, 1, 2);
    grid->addWidget(edit, 2, 1);
    return box;
}

QString RadiusText(double radius)
{
    return QString::fromStdString(formatSignificant(radius, 3));
}

} // namespace

CAnalyseFrame::CAnalyseFrame(CResoniDoc& doc)
    : CModuleChildFrame(doc, moduleInfo(Module::Analyse), new CAnalyseView(doc))
{
    BuildDialogBar();
    SyncControls();
    connect(analyseView(), &CAnalyseView::parametersChanged, this, &CAnalyseFrame::SyncControls);
}

CAnalyseView* CAnalyseFrame::analyseView() const
{
    return static_cast<CAnalyseView*>(view());
}

void CAnalyseFrame::StoreSettings()
{
    analyseView()->StoreSettings();
}

void CAnalyseFrame::TakeSelectionLength(CModuleChildFrame* frame, std::size_t length)
{
    if (auto* analyse = qobject_cast<CAnalyseFrame*>(frame))
        analyse->SetSelectionLength(static_cast<int>(std::min<std::size_t>(length, 0x7fffffff)));
}

void CAnalyseFrame::SetSelectionLength(int length)
{
    const QString text = QString::number(length);
    for (QSlider* slider : {m_pPoints, m_pIter}) {
        const QSignalBlocker block(slider);
        slider->setRange(0, length);
        slider->setValue(length);
    }
    m_pPointsMaxLabel->setText(text);
    m_pIterMaxLabel->setText(text);
    // Written into both edits as a user would: the points first, so the iterations may follow.
    for (QLineEdit* edit : {m_pPointsEdit, m_pIterEdit}) {
        edit->setText(text);
        OnIntEdited(edit);
    }
}

void CAnalyseFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();
    const auto button = [&](const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), bar);
        v->addWidget(b);
        return b;
    };
    m_pReset = button("ResetView");
    m_pSave = button("SaveView");
    m_pBkg = button("Bkg-Farbe");
    m_pBkg->setEnabled(false); // no background colour in this view
    m_pCalc = button("Berechnen");
    m_pAbort = button("Abbruch");
    for (int i = 0; i < 3; ++i) {
        m_pMode[static_cast<std::size_t>(i)] = new QRadioButton(QString::fromUtf8(kModeNames[i]), bar);
        v->addWidget(m_pMode[static_cast<std::size_t>(i)]);
    }

    const int length = static_cast<int>(m_doc.m_arSignal.size());
    m_pTau = Slider(0, 100, bar);
    m_pTauEdit = Edit(bar);
    v->addWidget(SliderGroup(QStringLiteral("Tau"), m_pTau, new QLabel(QStringLiteral("0"), bar),
                             new QLabel(QStringLiteral("100"), bar), m_pTauEdit, bar));
    m_pPoints = Slider(0, length, bar);
    m_pPointsEdit = Edit(bar);
    m_pPointsMaxLabel = new QLabel(QString::number(length), bar);
    v->addWidget(SliderGroup(QStringLiteral("Punkte"), m_pPoints, new QLabel(QStringLiteral("0"), bar),
                             m_pPointsMaxLabel, m_pPointsEdit, bar));

    auto* dims = new QGroupBox(bar);
    auto* dimGrid = new QGridLayout(dims);
    m_pDimLabel = new QLabel(QStringLiteral("Einbettungsdimension"), dims);
    m_pMinDim = Slider(2, 2, dims);
    m_pMinDimLow = new QLabel(QStringLiteral("2"), dims);
    m_pMinDimEdit = Edit(dims);
    m_pMaxDimEdit = Edit(dims);
    dimGrid->addWidget(m_pDimLabel, 0, 0, 1, 3);
    dimGrid->addWidget(m_pMinDimLow, 1, 0);
    dimGrid->addWidget(m_pMinDim, 1, 1, 1, 2);
    dimGrid->addWidget(m_pMinDimEdit, 2, 0, 1, 2);
    dimGrid->addWidget(m_pMaxDimEdit, 2, 2);
    v->addWidget(dims);

    m_pIter = Slider(0, length, bar);
    m_pIterEdit = Edit(bar);
    m_pIterMaxLabel = new QLabel(QString::number(length), bar);
    v->addWidget(SliderGroup(QStringLiteral("Iterationen"), m_pIter, new QLabel(QStringLiteral("0"), bar),
                             m_pIterMaxLabel, m_pIterEdit, bar, &m_pIterLabel));

    auto* radius = new QGroupBox(QString::fromUtf8("Radius für Nachbarn"), bar);
    auto* radiusGrid = new QGridLayout(radius);
    m_pMinLabel = new QLabel(QStringLiteral("Min"), radius);
    m_pMaxLabel = new QLabel(QStringLiteral("Max"), radius);
    m_pRMin = Edit(radius);
    m_pRMax = Edit(radius);
    radiusGrid->addWidget(m_pMinLabel, 0, 0);
    radiusGrid->addWidget(m_pRMin, 0, 1);
    radiusGrid->addWidget(m_pMaxLabel, 1, 0);
    radiusGrid->addWidget(m_pRMax, 1, 1);
    v->addWidget(radius);

    m_pRadii = Slider(1, 100, bar);
    m_pRadiiEdit = Edit(bar);
    m_pRadiiMaxLabel = new QLabel(QStringLiteral("100"), bar);
    v->addWidget(SliderGroup(QStringLiteral("Anzahl der Radien"), m_pRadii, new QLabel(QStringLiteral("0"), bar),
                             m_pRadiiMaxLabel, m_pRadiiEdit, bar, &m_pRadiiLabel));

    m_pSteps = Slider(0, 100, bar);
    m_pStepsEdit = Edit(bar);
    m_pStepsGroup = SliderGroup(QStringLiteral("Iterationen"), m_pSteps, new QLabel(QStringLiteral("0"), bar),
                                new QLabel(QStringLiteral("100"), bar), m_pStepsEdit, bar);
    v->addWidget(m_pStepsGroup);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);

    CAnalyseView* view = analyseView();
    connect(m_pReset, &QPushButton::clicked, view, &CAnalyseView::OnResetView);
    connect(m_pSave, &QPushButton::clicked, view, &CAnalyseView::OnSaveView);
    connect(m_pCalc, &QPushButton::clicked, view, &CAnalyseView::OnCalculate);
    connect(m_pAbort, &QPushButton::clicked, view, &CAnalyseView::OnAbort);
    for (int i = 0; i < 3; ++i)
        connect(m_pMode[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] { OnModeClicked(i); });
    const std::pair<QSlider*, QLineEdit*> pairs[] = {{m_pTau, m_pTauEdit},     {m_pPoints, m_pPointsEdit},
                                                     {m_pMinDim, m_pMinDimEdit}, {m_pIter, m_pIterEdit},
                                                     {m_pRadii, m_pRadiiEdit}, {m_pSteps, m_pStepsEdit}};
    for (auto [slider, edit] : pairs) {
        // Corrected when the typing is done (Enter or leaving the field): corrected digit by digit,
        // the "1" of "19556" points would already have lowered the iterations and neighbours.
        connect(edit, &QLineEdit::editingFinished, this, [this, edit = edit] { OnIntEdited(edit); });
        connect(slider, &QSlider::sliderMoved, this, [this, edit = edit](int value) {
            edit->setText(QString::number(value));
            OnIntEdited(edit);
        });
    }
    connect(m_pMaxDimEdit, &QLineEdit::editingFinished, this, [this] { OnIntEdited(m_pMaxDimEdit); });
    connect(m_pRMin, &QLineEdit::textEdited, this,
            [this](const QString& text) { analyseView()->parameters().radiusMin = text.toDouble(); });
    connect(m_pRMax, &QLineEdit::textEdited, this,
            [this](const QString& text) { analyseView()->parameters().radiusMax = text.toDouble(); });
}

void CAnalyseFrame::OnModeClicked(int mode)
{
    analyseView()->SetMode(mode);
    SyncControls();
}

void CAnalyseFrame::OnIntEdited(QLineEdit* edit)
{
    AnalyseParameters& p = analyseView()->parameters();
    const int mode = analyseView()->settings().mode;
    const int typed = edit->text().toInt();
    int shown = typed;
    if (edit == m_pTauEdit)
        p.tau = typed;
    else if (edit == m_pStepsEdit)
        p.steps = typed;
    else if (edit == m_pPointsEdit)
        shown = SetAnalysePoints(p, typed);
    else if (edit == m_pMinDimEdit)
        shown = SetAnalyseMinDimension(p, typed);
    else if (edit == m_pMaxDimEdit)
        shown = SetAnalyseMaxDimension(p, typed);
    else if (edit == m_pIterEdit)
        shown = SetAnalyseIterations(p, typed);
    else if (edit == m_pRadiiEdit)
        shown = SetAnalyseRadii(p, mode, typed);
    if (shown != typed || edit == m_pPointsEdit || edit == m_pMaxDimEdit)
        SyncControls(); // the corrected field and the values it lowered
    else if (edit == m_pTauEdit || edit == m_pStepsEdit || edit == m_pIterEdit || edit == m_pRadiiEdit ||
             edit == m_pMinDimEdit) {
        QSlider* slider = edit == m_pTauEdit    ? m_pTau
                          : edit == m_pStepsEdit ? m_pSteps
                          : edit == m_pIterEdit  ? m_pIter
                          : edit == m_pRadiiEdit ? m_pRadii
                                                 : m_pMinDim;
        const QSignalBlocker block(slider);
        slider->setValue(shown);
    }
}

void CAnalyseFrame::SyncControls()
{
    const AnalyseSettings& s = analyseView()->settings();
    const AnalyseParameters& p = s.current();
    const int mode = s.mode;
    m_pMode[static_cast<std::size_t>(mode)]->setChecked(true);

    // Visibility and the labels that change with the mode.
    const bool spectrum = mode == kAnalyseSpectrum, correlation = mode == kAnalyseCorrelation;
    m_pRMax->setVisible(!spectrum);
    m_pMinLabel->setVisible(!spectrum);
    m_pMaxLabel->setVisible(!spectrum);
    m_pStepsGroup->setVisible(mode == kAnalyseMaxExponent);
    m_pMinDim->setVisible(!correlation);
    m_pMinDimLow->setVisible(!correlation);
    m_pMinDimEdit->setVisible(!correlation);
    m_pDimLabel->setText(correlation ? QStringLiteral("max. Einbettungsdim.") : QStringLiteral("Einbettungsdimension"));
    m_pIterLabel->setText(spectrum ? QStringLiteral("Iterationen")
                                   : correlation ? QStringLiteral("Anzahl Paare") : QStringLiteral("Referenzvektoren"));
    m_pRadiiLabel->setText(spectrum ? QStringLiteral("Anzahl der Nachbarn") : QStringLiteral("Anzahl der Radien"));
    m_pRadiiMaxLabel->setText(QString::number(AnalyseRadiiSliderMax(mode)));

    const auto set = [](QSlider* slider, QLineEdit* edit, int value) {
        const QSignalBlocker block(slider);
        slider->setValue(value);
        edit->setText(QString::number(value));
    };
    {
        const QSignalBlocker block(m_pRadii);
        m_pRadii->setRange(1, AnalyseRadiiSliderMax(mode));
        const QSignalBlocker blockDim(m_pMinDim);
        m_pMinDim->setRange(2, std::max(p.maxDimension, 2));
    }
    set(m_pTau, m_pTauEdit, p.tau);
    set(m_pPoints, m_pPointsEdit, p.points);
    set(m_pMinDim, m_pMinDimEdit, p.minDimension);
    m_pMaxDimEdit->setText(QString::number(p.maxDimension));
    set(m_pIter, m_pIterEdit, p.iterations);
    set(m_pRadii, m_pRadiiEdit, p.radii);
    set(m_pSteps, m_pStepsEdit, p.steps);
    m_pRMin->setText(RadiusText(p.radiusMin));
    m_pRMax->setText(RadiusText(p.radiusMax));
}
