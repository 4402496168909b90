#include "FFTFrame.h"

#include "FFTView.h"

#include "gui/app/DialogBarControls.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A caption, a spin field and its unit in one row of a grid.
void addRow(QGridLayout* grid, int row, const QString& caption, QSpinBox* field, const QString& unit)
{
    if (!caption.isEmpty())
        grid->addWidget(new QLabel(caption, field->parentWidget()), row, 0);
    grid->addWidget(field, row, 1);
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit, field->parentWidget()), row, 2);
}

// Two radio buttons "Lin" / "Log" in a group of their own.
QGroupBox* linLog(const QString& title, QRadioButton*& lin, QRadioButton*& log, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* column = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    lin = new QRadioButton(QStringLiteral("Lin"), box);
    log = new QRadioButton(QStringLiteral("Log"), box);
    row->addWidget(lin);
    row->addWidget(log);
    return box;
}

} // namespace

CFFTFrame::CFFTFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::FFT), new CFFTView(doc))
{
    BuildDialogBar();
    SyncControls();
    // "Aktuelle FFT": read-only and disabled, showing the document's FFT size until a selection
    // or an update says otherwise.
    m_pCurrentFFT->setText(QString::number(g_bSelectionFFT ? doc.m_nSelectionFFTSize : doc.m_nFFTSize));
    connect(fftView(), &CFFTView::fftSizeShown, this,
            [this](int points) { m_pCurrentFFT->setText(QString::number(points)); });
}

CFFTView* CFFTFrame::fftView() const
{
    return static_cast<CFFTView*>(view());
}

void CFFTFrame::StoreSettings()
{
    fftView()->StoreSettings();
}

template <typename F> void CFFTFrame::Change(F&& change)
{
    change(fftView()->model());
    SyncControls();
    fftView()->update();
}

void CFFTFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();

    // Frequency: scale and cuts.
    QGroupBox* freq = linLog(QStringLiteral("Frequenz"), m_pFreqLin, m_pFreqLog, bar);
    auto* freqGrid = new QGridLayout;
    m_pBottomHz = DialogBarControls::spin(1, 999, freq);
    m_pTopkHz = DialogBarControls::spin(1, 100, freq);
    addRow(freqGrid, 0, QString(), m_pBottomHz, QStringLiteral("Hz"));
    addRow(freqGrid, 1, QString(), m_pTopkHz, QStringLiteral("kHz"));
    static_cast<QVBoxLayout*>(freq->layout())->addLayout(freqGrid);
    v->addWidget(freq);

    // Amplitude: scale and cuts (0 … −99 dBr).
    QGroupBox* amp = linLog(QStringLiteral("Amplitude"), m_pAmpLin, m_pAmpLog, bar);
    auto* ampGrid = new QGridLayout;
    m_pTopAmp = DialogBarControls::spin(-99, 0, amp);
    m_pBottomAmp = DialogBarControls::spin(-99, 0, amp);
    addRow(ampGrid, 0, QString(), m_pTopAmp, QStringLiteral("dBr"));
    addRow(ampGrid, 1, QString(), m_pBottomAmp, QStringLiteral("dBr"));
    static_cast<QVBoxLayout*>(amp->layout())->addLayout(ampGrid);
    v->addWidget(amp);

    // Radio buttons and checks stacked, so the bar stays narrow beside the plot.
    auto* style = new QGroupBox(QStringLiteral("Darstellung"), bar);
    auto* styleRow = new QVBoxLayout(style);
    const char* styles[] = {"Balken", "Linien", "Säulen"};
    for (int i = 0; i < 3; ++i) {
        m_pStyle[i] = new QRadioButton(QString::fromUtf8(styles[i]), style);
        styleRow->addWidget(m_pStyle[i]);
    }
    v->addWidget(style);

    auto* holdRow = new QGridLayout;
    m_pHold = new QCheckBox(QStringLiteral("Maxima merken"), bar);
    m_pDelayOn = new QCheckBox(QStringLiteral("Delay"), bar);
    m_pDelay = DialogBarControls::spin(0, 15, bar);
    m_pGrid = new QCheckBox(QStringLiteral("Gitternetz"), bar);
    holdRow->addWidget(m_pHold, 0, 0, 1, 2);
    holdRow->addWidget(m_pDelayOn, 1, 0);
    holdRow->addWidget(m_pDelay, 1, 1, Qt::AlignLeft);
    holdRow->addWidget(m_pGrid, 2, 0, 1, 2);
    v->addLayout(holdRow);

    auto* peaks = new QGroupBox(QStringLiteral("Peaks"), bar);
    auto* peakGrid = new QGridLayout(peaks);
    m_pPeaks = new QCheckBox(QStringLiteral("ermitteln"), peaks);
    peakGrid->addWidget(m_pPeaks, 0, 0, 1, 2);
    m_pMinMax = DialogBarControls::spin(0, 50, peaks);
    m_pDrop = DialogBarControls::spin(1, 50, peaks);
    addRow(peakGrid, 1, QStringLiteral("Min. Abst.\nzw. Maxima"), m_pMinMax, QString());
    addRow(peakGrid, 2, QStringLiteral("Min. Abst.\n20% Abfall"), m_pDrop, QString());
    v->addWidget(peaks);

    auto* curve = new QGroupBox(QStringLiteral("Spline"), bar);
    auto* curveRow = new QVBoxLayout(curve);
    const char* curves[] = {"Bézier", "Cubic", "Beta"};
    for (int i = 0; i < 3; ++i) {
        m_pCurve[i] = new QCheckBox(QString::fromUtf8(curves[i]), curve);
        curveRow->addWidget(m_pCurve[i]);
    }
    v->addWidget(curve);

    auto* current = new QGroupBox(QStringLiteral("Aktuelle FFT"), bar);
    auto* currentRow = new QHBoxLayout(current);
    m_pCurrentFFT = new QLineEdit(current);
    m_pCurrentFFT->setReadOnly(true);
    m_pCurrentFFT->setEnabled(false);
    currentRow->addWidget(m_pCurrentFFT);
    currentRow->addWidget(new QLabel(QStringLiteral("Pt"), current));
    v->addWidget(current);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);

    using M = FFTPlotModel;
    connect(m_pBottomHz, &QSpinBox::valueChanged, this, [this](int n) { Change([n](M& m) { m.setBottomCutHz(n); }); });
    connect(m_pTopkHz, &QSpinBox::valueChanged, this, [this](int n) { Change([n](M& m) { m.setTopCutkHz(n); }); });
    connect(m_pTopAmp, &QSpinBox::valueChanged, this, [this](int n) { Change([n](M& m) { m.setTopCutAmp(n); }); });
    connect(m_pBottomAmp, &QSpinBox::valueChanged, this,
            [this](int n) { Change([n](M& m) { m.setBottomCutAmp(n); }); });
    connect(m_pAmpLin, &QRadioButton::clicked, this, [this] { Change([](M& m) { m.setAmpLinear(true); }); });
    connect(m_pAmpLog, &QRadioButton::clicked, this, [this] { Change([](M& m) { m.setAmpLinear(false); }); });
    connect(m_pFreqLin, &QRadioButton::clicked, this, [this] { Change([](M& m) { m.setFreqLinear(true); }); });
    connect(m_pFreqLog, &QRadioButton::clicked, this, [this] { Change([](M& m) { m.setFreqLinear(false); }); });
    for (int i = 0; i < 3; ++i)
        connect(m_pStyle[i], &QRadioButton::clicked, this,
                [this, i] { Change([i](M& m) { m.setStyle(static_cast<FFTDrawingStyle>(i)); }); });
    connect(m_pHold, &QCheckBox::clicked, this, [this](bool on) { Change([on](M& m) { m.setHoldMaxima(on); }); });
    connect(m_pDelayOn, &QCheckBox::clicked, this, [this](bool on) { Change([on](M& m) { m.setDelayOn(on); }); });
    connect(m_pDelay, &QSpinBox::valueChanged, this, [this](int n) { Change([n](M& m) { m.setDelay(n); }); });
    connect(m_pGrid, &QCheckBox::clicked, this, [this](bool on) { Change([on](M& m) { m.setGrid(on); }); });
    connect(m_pPeaks, &QCheckBox::clicked, this,
            [this](bool on) { Change([on](M& m) { m.setPeakDetection(on); }); });
    connect(m_pMinMax, &QSpinBox::valueChanged, this,
            [this](int n) { Change([n](M& m) { m.setMinPeakDistance(n); }); });
    connect(m_pDrop, &QSpinBox::valueChanged, this, [this](int n) { Change([n](M& m) { m.setDropDistance(n); }); });
    for (int i = 0; i < 3; ++i)
        connect(m_pCurve[i], &QCheckBox::clicked, this, [this, i](bool on) {
            Change([i, on](M& m) { m.setCurveCheck(static_cast<FFTCurveType>(i + 1), on); });
        });
}

void CFFTFrame::SyncControls()
{
    const FFTViewSettings& s = fftView()->model().settings();
    const auto setSpin = [](QSpinBox* box, int value) {
        const QSignalBlocker block(box);
        box->setValue(value);
    };
    setSpin(m_pBottomHz, s.nBottomCutHz);
    setSpin(m_pTopkHz, s.nTopCutkHz);
    setSpin(m_pTopAmp, s.nTopCutAmp);
    setSpin(m_pBottomAmp, s.nBottomCutAmp);
    setSpin(m_pDelay, s.nDelay);
    setSpin(m_pMinMax, s.nMinAbstandMaxima);
    setSpin(m_pDrop, s.nMinAbstandNachbarMin);
    (s.bIsAmpLinear ? m_pAmpLin : m_pAmpLog)->setChecked(true);
    (s.bIsFreqLinear ? m_pFreqLin : m_pFreqLog)->setChecked(true);
    m_pStyle[static_cast<int>(s.style)]->setChecked(true);
    m_pHold->setChecked(s.bIsSumme);
    m_pDelayOn->setChecked(s.bIsDelay);
    m_pDelay->setEnabled(fftView()->model().delayEditEnabled());
    m_pGrid->setChecked(s.bGrid);
    m_pPeaks->setChecked(s.bPeaks);
    for (int i = 0; i < 3; ++i)
        m_pCurve[i]->setChecked(s.bIsSpline && static_cast<int>(s.curve) == i + 1);
}
