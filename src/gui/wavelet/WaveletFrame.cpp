#include "WaveletFrame.h"

#include "WaveletComputation.h"
#include "WaveletView.h"

#include "core/wavelet/WaveletSettings.h"
#include "gui/app/DialogBarControls.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxFrequencyHz = 30464; // the frequency fields' spin range ends here

QString frequencyText(float scale)
{
    return QString::number(static_cast<long long>(std::trunc(1.0f / scale)));
}

} // namespace

CWaveletFrame::CWaveletFrame(CResoniDoc& doc)
    : CModuleChildFrame(doc, moduleInfo(Module::Wavelet), new CWaveletView(doc))
{
    // Start-up: the application's wavelet settings become the request.
    CwtRequest& request = doc.m_pCwt->request();
    cwtRequestFromProfile(doc.app().m_Settings, request);
    BuildDialogBar();
    const int index = waveletListIndex(request.wavelet);
    {
        const QSignalBlocker block(m_pList);
        m_pList->setCurrentIndex(index);
    }
    // The stored arguments stay (a reopened window keeps "morlet,3"); none: the entry's default.
    const std::string stored = waveletParameterText(request.wavelet);
    ApplyEntry(index, QString::fromStdString(stored.empty() ? kWaveletList[static_cast<size_t>(index)].defaultParameter
                                                            : stored));
    const auto set = [](QSpinBox* spin, long value) {
        const QSignalBlocker block(spin);
        spin->setValue(static_cast<int>(value));
    };
    set(m_pColumns, request.columns);
    set(m_pRows, request.rows);
    {
        const QSignalBlocker block(m_pDivision);
        m_pDivision->setCurrentIndex(std::clamp(request.division, 0, 2));
    }
    m_pMinFreq->setText(frequencyText(request.scaleLow));
    m_pMaxFreq->setText(frequencyText(request.scaleHigh));
    Recompute(); // opened beside a selection
}

CWaveletView* CWaveletFrame::waveletView() const
{
    return static_cast<CWaveletView*>(view());
}

void CWaveletFrame::StoreSettings()
{
    waveletView()->StoreSettings();
}

void CWaveletFrame::Recompute()
{
    CResoniDoc& doc = m_doc;
    if (g_bSelectionFFT && doc.m_arSignal.size() > 1 && doc.m_nSampleRate > 0)
        doc.m_pWaveletComputation->Start(doc.m_arSignal, static_cast<int>(doc.m_nSampleRate));
}

void CWaveletFrame::ApplyEntry(int index, const QString& parameter)
{
    const WaveletListEntry& entry = kWaveletList[static_cast<size_t>(index)];
    {
        const QSignalBlocker block(m_pParameter);
        m_pParameter->setText(parameter);
    }
    m_pParameter->setVisible(entry.bParameter);
    m_pParameterLabel->setVisible(entry.bParameter);
    m_pHelp->setText(QString::fromUtf8(entry.help));
    m_doc.m_pCwt->request().wavelet = waveletString(index, parameter.toStdString());
}

void CWaveletFrame::CommitFrequency(QLineEdit* field, float& scale)
{
    const double hz = waveletFrequencyFromText(field->text().toStdString());
    scale = static_cast<float>(1.0 / hz); // 0 Hz: an infinite scale, refused before the transform
    Recompute();
}

QWidget* CWaveletFrame::FrequencyRow(QLineEdit*& field, float& scale, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(1);
    field = new QLineEdit(row);
    field->setMaximumWidth(64);
    h->addWidget(field);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    QLineEdit* edit = field;
    for (const int step : {1, -1}) {
        auto* button = new QToolButton(row);
        button->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        button->setFixedSize(16, 11);
        buttons->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, edit, &scale, step] {
            const double hz = std::trunc(waveletFrequencyFromText(edit->text().toStdString())) + step;
            edit->setText(QString::number(static_cast<int>(std::clamp(hz, 1.0, double(kMaxFrequencyHz)))));
            CommitFrequency(edit, scale);
        });
    }
    h->addLayout(buttons);
    h->addWidget(new QLabel(QStringLiteral("Hz"), row));
    h->addStretch(1);
    connect(field, &QLineEdit::editingFinished, this, [this, edit, &scale] { CommitFrequency(edit, scale); });
    return row;
}

void CWaveletFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();
    CwtRequest& request = m_doc.m_pCwt->request();

    auto* wavelet = new QGroupBox(QStringLiteral("Wavelet"), bar);
    auto* wv = new QVBoxLayout(wavelet);
    m_pList = new QComboBox(wavelet);
    for (const WaveletListEntry& entry : kWaveletList)
        m_pList->addItem(QString::fromUtf8(entry.label));
    wv->addWidget(m_pList);
    auto* parameterRow = new QHBoxLayout;
    m_pParameterLabel = new QLabel(QStringLiteral("Parameter"), wavelet);
    m_pParameter = new QLineEdit(wavelet);
    m_pParameter->setMaximumWidth(90);
    parameterRow->addWidget(m_pParameterLabel);
    parameterRow->addWidget(m_pParameter);
    wv->addLayout(parameterRow);
    m_pHelp = new QLabel(wavelet);
    m_pHelp->setWordWrap(true);
    m_pHelp->setMaximumWidth(170);
    wv->addWidget(m_pHelp);
    v->addWidget(wavelet);

    auto* time = new QGroupBox(QStringLiteral("Zeitskala"), bar);
    auto* tg = new QGridLayout(time);
    m_pColumns = DialogBarControls::spin(1, 999, time);
    tg->addWidget(new QLabel(QStringLiteral("Messpunkte"), time), 0, 0);
    tg->addWidget(m_pColumns, 0, 1);
    v->addWidget(time);

    auto* frequency = new QGroupBox(QStringLiteral("Frequenzskala"), bar);
    auto* fg = new QGridLayout(frequency);
    m_pDivision = new QComboBox(frequency);
    m_pDivision->addItems({QStringLiteral("linear"), QStringLiteral("reziprok"), QStringLiteral("exponentiell")});
    m_pRows = DialogBarControls::spin(1, 999, frequency);
    fg->addWidget(new QLabel(QStringLiteral("Einteilung"), frequency), 0, 0);
    fg->addWidget(m_pDivision, 0, 1);
    fg->addWidget(new QLabel(QStringLiteral("Anzahl"), frequency), 1, 0);
    fg->addWidget(m_pRows, 1, 1);
    fg->addWidget(new QLabel(QStringLiteral("Min. Freq."), frequency), 2, 0);
    fg->addWidget(FrequencyRow(m_pMinFreq, request.scaleLow, frequency), 2, 1);
    fg->addWidget(new QLabel(QStringLiteral("Max. Freq."), frequency), 3, 0);
    fg->addWidget(FrequencyRow(m_pMaxFreq, request.scaleHigh, frequency), 3, 1);
    v->addWidget(frequency);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);

    connect(m_pList, &QComboBox::currentIndexChanged, this, [this](int index) {
        ApplyEntry(index, QString::fromUtf8(kWaveletList[static_cast<size_t>(index)].defaultParameter));
        Recompute();
    });
    connect(m_pParameter, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_doc.m_pCwt->request().wavelet = waveletString(m_pList->currentIndex(), text.toStdString());
    });
    connect(m_pParameter, &QLineEdit::editingFinished, this, &CWaveletFrame::Recompute);
    connect(m_pColumns, &QSpinBox::valueChanged, this, [this](int n) {
        m_doc.m_pCwt->request().columns = n;
        Recompute();
    });
    connect(m_pRows, &QSpinBox::valueChanged, this, [this](int n) {
        m_doc.m_pCwt->request().rows = n;
        Recompute();
    });
    connect(m_pDivision, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_doc.m_pCwt->request().division = index;
        Recompute();
    });
}
