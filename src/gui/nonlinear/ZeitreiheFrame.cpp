#include "ZeitreiheFrame.h"

#include "ZeitreiheView.h"

#include "gui/app/DialogBarControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

CZeitreiheFrame::CZeitreiheFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Zeitreihe), new CZeitreiheView(doc))
{
    BuildDialogBar();
    connect(zeitreiheView(), &CZeitreiheView::zoomFieldShown, this, [this](int value) {
        const QSignalBlocker block(m_pZoom);
        m_pZoom->setValue(value);
    });
}

CZeitreiheView* CZeitreiheFrame::zeitreiheView() const
{
    return static_cast<CZeitreiheView*>(view());
}

void CZeitreiheFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();

    const char* modes[] = {"Zeitreihe der Auswahl", "Autokorrelationsfunktion", "Mutual information"};
    auto* group = new QButtonGroup(bar);
    for (int mode = 0; mode < 3; ++mode) {
        m_pMode[mode] = new QRadioButton(QString::fromUtf8(modes[mode]), bar);
        group->addButton(m_pMode[mode], mode);
        v->addWidget(m_pMode[mode]);
    }
    m_pMode[0]->setChecked(true);

    auto* grid = new QGridLayout;
    m_pBoxes = DialogBarControls::spin(2, 100, bar);
    m_pBoxes->setValue(16);
    m_pMaxTau = DialogBarControls::spin(1, 100, bar);
    m_pMaxTau->setValue(90);
    grid->addWidget(new QLabel(QStringLiteral("Num\nBox"), bar), 0, 0);
    grid->addWidget(m_pBoxes, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Max\nTau"), bar), 1, 0);
    grid->addWidget(m_pMaxTau, 1, 1);
    v->addLayout(grid);

    auto* zoomBox = new QGroupBox(QStringLiteral("Zoom"), bar);
    auto* zoomColumn = new QVBoxLayout(zoomBox);
    m_pZoom = DialogBarControls::spin(-1000, 1000, zoomBox);
    m_pZoom->setValue(1);
    zoomColumn->addWidget(new QLabel(QStringLiteral("Pixel pro Messpunkt"), zoomBox));
    zoomColumn->addWidget(m_pZoom);
    v->addWidget(zoomBox);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);

    CZeitreiheView* view = zeitreiheView();
    connect(group, &QButtonGroup::idClicked, view, &CZeitreiheView::SetMode);
    connect(m_pBoxes, &QSpinBox::valueChanged, view, &CZeitreiheView::SetBoxCount);
    connect(m_pMaxTau, &QSpinBox::valueChanged, view, &CZeitreiheView::SetMaxDelay);
    connect(m_pZoom, &QSpinBox::valueChanged, view, &CZeitreiheView::SetZoomField);
}
