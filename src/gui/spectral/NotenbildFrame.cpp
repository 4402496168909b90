#include "NotenbildFrame.h"

#include "NotenbildView.h"

#include "gui/app/DialogBarControls.h"
#include "gui/document/ResoniDoc.h"

#include "core/spectral/NoteNames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

CNotenbildFrame::CNotenbildFrame(CResoniDoc& doc)
    : CModuleChildFrame(doc, moduleInfo(Module::Notenbild), new CNotenbildView(doc))
{
    BuildDialogBar();
    SyncControls();
}

CNotenbildView* CNotenbildFrame::notenbildView() const
{
    return static_cast<CNotenbildView*>(view());
}

void CNotenbildFrame::StoreSettings()
{
    notenbildView()->StoreSettings();
}

void CNotenbildFrame::BuildDialogBar()
{
    QVBoxLayout* v = DialogBarControls::beginScrollingColumn(dialogBar());
    QWidget* bar = v->parentWidget();

    // The display modes exclude each other within their own box, apart from the spacing radios.
    auto* modes = new QWidget(bar);
    auto* modeColumn = new QVBoxLayout(modes);
    modeColumn->setContentsMargins(0, 0, 0, 0);
    const char* captions[] = {"abstraktes Obertonspektrum", "Obertöne im Notenbild",
                              "detektierter Notenverlauf"};
    for (int i = 0; i < 3; ++i) {
        m_pMode[i] = new QRadioButton(QString::fromUtf8(captions[i]), modes);
        modeColumn->addWidget(m_pMode[i]);
    }
    v->addWidget(modes);

    auto* settings = new QGroupBox(QStringLiteral("Einstellungen"), bar);
    auto* grid = new QGridLayout(settings);
    m_pLinear = new QRadioButton(QStringLiteral("linear"), settings);
    m_pLog = new QRadioButton(QStringLiteral("logarithmisch"), settings);
    grid->addWidget(m_pLinear, 0, 0, 1, 2);
    grid->addWidget(m_pLog, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("Anzahl der Obertöne"), settings), 2, 0);
    m_pCount = DialogBarControls::spin(kMinObertonanzahl, kMaxObertonanzahl, settings);
    grid->addWidget(m_pCount, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kammerton a'"), settings), 3, 0);
    m_pKammerton = DialogBarControls::spin(kMinA4Hz, kMaxA4Hz, settings);
    grid->addWidget(m_pKammerton, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hz"), settings), 3, 2);
    v->addWidget(settings);

    m_pPlay = new QPushButton(QString::fromUtf8("Obertöne anhören, einzeln"), bar);
    v->addWidget(m_pPlay);
    v->addStretch(1);
    DialogBarControls::finishScrollingColumn(v);

    const auto change = [this](auto&& edit) {
        NotenbildSettings s = notenbildView()->settings();
        edit(s);
        notenbildView()->setSettings(s);
        SyncControls();
    };
    for (int i = 0; i < 3; ++i)
        connect(m_pMode[i], &QRadioButton::clicked, this,
                [change, i] { change([i](NotenbildSettings& s) { s.nWhatIs = i; }); });
    connect(m_pLinear, &QRadioButton::clicked, this,
            [change] { change([](NotenbildSettings& s) { s.bIsLinear = true; }); });
    connect(m_pLog, &QRadioButton::clicked, this,
            [change] { change([](NotenbildSettings& s) { s.bIsLinear = false; }); });
    connect(m_pCount, &QSpinBox::valueChanged, this,
            [change](int n) { change([n](NotenbildSettings& s) { s.nObertonanzahl = n; }); });
    // The reference pitch goes into the application's settings at once: the FFT view names its
    // notes from there.
    connect(m_pKammerton, &QSpinBox::valueChanged, this, [this, change](int hz) {
        change([hz](NotenbildSettings& s) { s.nKammerton = hz; });
        notenbildView()->StoreSettings();
        if (CModuleChildFrame* fft = m_doc.moduleFrame(Module::FFT))
            fft->view()->update();
    });
    connect(m_pPlay, &QPushButton::clicked, this, [this] { notenbildView()->PlayPartials(); });
}

void CNotenbildFrame::SyncControls()
{
    const NotenbildSettings& s = notenbildView()->settings();
    m_pMode[s.nWhatIs]->setChecked(true);
    (s.bIsLinear ? m_pLinear : m_pLog)->setChecked(true);
    const QSignalBlocker block(m_pCount), blockKammerton(m_pKammerton);
    m_pCount->setValue(s.nObertonanzahl);
    m_pKammerton->setValue(s.nKammerton);
}
