#include "SplitterFrame.h"

#include "ResoniOverView.h"
#include "ResoniView.h"

#include "gui/app/PlacementUtil.h"
#include "gui/app/ResoniApp.h"
#include "gui/app/ToolbarIcons.h"
#include "gui/app/UiDialogs.h"
#include "gui/document/ResoniDoc.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

const char* const CSplitterFrame::kEnvelopeHint =
    "Bitte mit einem Doppelklick der linken Maustaste zwei Marker setzen, die einen Ausschnitt festlegen, der "
    "der Darstellung der Einhüllenden als Grundlage dient.";

CSplitterFrame::CSplitterFrame(CResoniDoc& doc) : m_doc(doc)
{
    setObjectName(QStringLiteral("CSplitterFrame"));
    // The document's title: its name "Uebersicht" with the number 1.
    setWindowTitle(QStringLiteral("Uebersicht1"));
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint);
    setWindowIcon(ToolbarIcons::programIcon()); // not the toolkit's default in the title bar

    auto* body = new QWidget(this);
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pSplitter = new QSplitter(Qt::Vertical, body);
    m_pOverView = new CResoniOverView(doc, m_pSplitter);
    m_pView = new CResoniView(doc, m_pSplitter);
    m_pSplitter->addWidget(m_pOverView);
    m_pSplitter->addWidget(m_pView);
    m_pSplitter->setChildrenCollapsible(false);
    // Resizing the window changes the waveform view; the overview keeps its height.
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);
    layout->addWidget(m_pSplitter, 1);
    layout->addWidget(CreateDialogBar(body), 0);
    setWidget(body);

    connect(m_pOverView, &CResoniOverView::selectionMade, m_pView, &CResoniView::SetRange);
    connect(m_pOverView, &CResoniOverView::rangeCleared, m_pView, &CResoniView::ClearRange);
    connect(m_pOverView, &CResoniOverView::selectionStarted, this, [this] { m_pSamples->setText(QStringLiteral("0")); });
    connect(m_pView, &CResoniView::sampleCountChanged, this,
            [this](long long n) { m_pSamples->setText(QString::number(n)); });

    resize(640, 360);
    RestorePlacement();
    m_pView->setFocus(); // the waveform view is the active pane
}

QWidget* CSplitterFrame::CreateDialogBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("DialogBar"));
    auto* v = new QVBoxLayout(bar);
    v->setContentsMargins(6, 6, 6, 6);

    v->addWidget(new QLabel(QStringLiteral("Zoom"), bar), 0, Qt::AlignHCenter);
    m_pAmplitudeZoom = new QSlider(Qt::Vertical, bar);
    m_pAmplitudeZoom->setRange(0, 20);
    m_pAmplitudeZoom->setSingleStep(1);
    m_pAmplitudeZoom->setPageStep(1);
    m_pAmplitudeZoom->setTickPosition(QSlider::TicksBothSides);
    m_pAmplitudeZoom->setTickInterval(1);
    m_pAmplitudeZoom->setValue(20);
    v->addWidget(m_pAmplitudeZoom, 1, Qt::AlignHCenter);
    connect(m_pAmplitudeZoom, &QSlider::valueChanged, this,
            [this](int pos) { m_pOverView->SetAmplitudeZoom(81 - 4 * pos); });

    v->addWidget(new QLabel(QStringLiteral("Zoom"), bar), 0, Qt::AlignHCenter);
    m_pHorizontalZoom = new QSlider(Qt::Horizontal, bar);
    m_pHorizontalZoom->setRange(0, 20);
    m_pHorizontalZoom->setSingleStep(1);
    m_pHorizontalZoom->setPageStep(1);
    m_pHorizontalZoom->setValue(0);
    v->addWidget(m_pHorizontalZoom);
    connect(m_pHorizontalZoom, &QSlider::valueChanged, this, [this](int pos) {
        m_pOverView->SetHorizontalZoom(2 * pos + 1); // clears the selection and the view's range
        m_pView->update();
    });

    v->addWidget(new QLabel(QStringLiteral("Samples"), bar));
    m_pSamples = new QLineEdit(QStringLiteral("0"), bar);
    m_pSamples->setReadOnly(true);
    m_pSamples->setEnabled(false);
    m_pSamples->setMaximumWidth(90);
    v->addWidget(m_pSamples);

    m_pEnvelope = new QPushButton(QStringLiteral("Bearbeite\nEinhüllende"), bar);
    v->addWidget(m_pEnvelope);
    connect(m_pEnvelope, &QPushButton::clicked, this, &CSplitterFrame::OnEnvelope);

    // Controls of the window that stay hidden: a second amplitude zoom, the drawing precision
    // and the display mode of the waveform view.
    auto* viewZoom = new QSlider(Qt::Vertical, bar);
    viewZoom->setObjectName(QStringLiteral("ViewZoom"));
    viewZoom->setRange(0, 20);
    viewZoom->hide();
    connect(viewZoom, &QSlider::valueChanged, this, [this](int pos) { m_pView->SetAmplitudeZoom(21 - pos); });
    auto* precision = new QSpinBox(bar);
    precision->setObjectName(QStringLiteral("Genauigkeit"));
    precision->setRange(1, 40);
    precision->setValue(30);
    precision->hide();
    connect(precision, &QSpinBox::valueChanged, this, [this](int value) { m_pView->SetPrecision(value); });
    auto* samplesMode = new QRadioButton(QStringLiteral("Samples"), bar);
    auto* envelopeMode = new QRadioButton(QStringLiteral("Einhüllende"), bar);
    samplesMode->setChecked(true);
    samplesMode->hide();
    envelopeMode->hide();
    connect(samplesMode, &QRadioButton::toggled, this, [this](bool on) { m_pView->SetDisplayMode(on ? 1 : 0); });
    v->addStretch(0);
    return bar;
}

void CSplitterFrame::OnEnvelope()
{
    if (!m_pView->OpenEnvelope())
        m_doc.app().dialogs().messageBox(QString::fromUtf8(kEnvelopeHint));
}

CSplitterFrame::~CSplitterFrame()
{
    StorePlacement();
}

void CSplitterFrame::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    if (!m_bSplitPlaced) {
        const int h = m_pSplitter->height();
        const int top = OverviewHeight(h);
        m_pSplitter->setSizes({top, h - top});
        m_bSplitPlaced = true;
    }
}

int CSplitterFrame::OverviewHeight(int clientHeight)
{
    return std::max(CResoniOverView::kMinimumHeight, static_cast<int>(clientHeight * 0.16666667));
}

void CSplitterFrame::RestorePlacement()
{
    restoreChildPlacement(*this, m_doc.app().m_Placements[kLayoutSlot], m_doc.app().layoutArea());
}

void CSplitterFrame::StorePlacement()
{
    storeChildPlacement(*this, m_doc.app().m_Placements[kLayoutSlot], m_doc.app().layoutArea());
}

void CSplitterFrame::SelectWhole()
{
    m_pOverView->SelectAll();
    m_pView->SelectAll();
}

void CSplitterFrame::closeEvent(QCloseEvent* event)
{
    if (m_bAllowClose)
        QMdiSubWindow::closeEvent(event);
    else
        event->ignore();
}
