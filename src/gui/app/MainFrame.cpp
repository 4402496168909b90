#include "MainFrame.h"

#include "ModuleChildFrame.h"
#include "PlacementUtil.h"
#include "ResoniApp.h"
#include "StatusTexts.h"
#include "ToolbarIcons.h"
#include "ViewCommands.h"

#include "gui/document/DocView.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/waveform/SplitterFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include <optional>

namespace {

std::optional<Module> moduleOfCommand(CommandId id)
{
    switch (id) {
    case CommandId::ViewZeitreihe: return Module::Zeitreihe;
    case CommandId::ViewFFT: return Module::FFT;
    case CommandId::View3DFFT: return Module::FFT3D;
    case CommandId::ViewNotenbild: return Module::Notenbild;
    case CommandId::ViewSono: return Module::Sono;
    case CommandId::ViewReko: return Module::Reko;
    case CommandId::ViewAnalyse: return Module::Analyse;
    case CommandId::ViewWavelet: return Module::Wavelet;
    default: return std::nullopt;
    }
}

// Status-bar panes 1..12: width in pixels, text shown while empty, border.
struct PaneSpec
{
    int width;
    const char* initial;
    bool border;
};
constexpr int kIndicatorWidth = 30; // the lock indicators' standard width
const PaneSpec kPanes[CMainFrame::kPaneCount - 1] = {
    {200, "Wavefile:", true}, {60, "Bit", true}, {50, "kHz", true}, {10, " ", false},
    {100, "FFT Punkte:", true}, {10, " ", false}, {80, "Abhören läuft ...", true},
    {85, "Aufnahme läuft...", true}, {10, " ", false},
    {kIndicatorWidth, "UF", true}, {kIndicatorWidth, "NUM", true}, {kIndicatorWidth, "RF", true},
};

} // namespace

CMainFrame::CMainFrame(CResoniApp& app) : m_app(app)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QStringLiteral("Soundanalyse"));
    setWindowIcon(ToolbarIcons::programIcon());
    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(m_pMdiArea);
    m_pViewCommands = std::make_unique<CViewCommands>(m_app, *m_pMdiArea);
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    SetDocumentMenus(false);
    setAcceptDrops(true);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandUI(); });
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::action(CommandId id) const
{
    auto it = m_Actions.find(id);
    return it == m_Actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions()
{
    for (const CommandInfo& c : commandTable()) {
        auto* a = new QAction(QString::fromUtf8(c.text), this);
        a->setStatusTip(commandStatusTip(c));
        a->setToolTip(commandToolTip(c));
        // F1 opens the active view's page; the menu entry opens the contents.
        if (c.id == CommandId::HelpFinder) {
            for (const QKeySequence& key : c.keys)
                connect(new QShortcut(key, this), &QShortcut::activated, this,
                        [this] { m_pViewCommands->HelpKey(); });
        } else {
            a->setShortcuts(c.keys);
        }
        a->setIcon(ToolbarIcons::icon(c.id));
        a->setIconVisibleInMenu(false);
        const CommandId id = c.id;
        switch (id) {
        case CommandId::ViewToolbar: case CommandId::ViewStatusBar: case CommandId::ViewZeitreihe:
        case CommandId::ViewFFT: case CommandId::View3DFFT: case CommandId::ViewNotenbild:
        case CommandId::ViewSono: case CommandId::ViewReko: case CommandId::ViewAnalyse:
        case CommandId::ViewWavelet: case CommandId::DataListen: case CommandId::ToolListen:
        case CommandId::LoopPlay:
            a->setCheckable(true);
            break;
        default: break;
        }
        connect(a, &QAction::triggered, this, [this, id] { Execute(id); });
        addAction(a); // keys work even for commands that are in no menu
        m_Actions[id] = a;
    }
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(QStringLiteral("Symbolleiste"), this);
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setIconSize(QSize(16, 16));
    m_pToolBar->setMovable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const MenuItem& item : toolbarLayout()) {
        if (item.separator)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(action(item.id));
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    m_Panes[0] = new QLabel(QStringLiteral("Bereit"), bar);
    m_Panes[0]->setObjectName(QStringLiteral("Pane0"));
    bar->addWidget(m_Panes[0], 1);
    for (int i = 1; i < kPaneCount; ++i) {
        const PaneSpec& pane = kPanes[i - 1];
        auto* label = new QLabel(QString::fromUtf8(pane.initial), bar);
        label->setObjectName(QStringLiteral("Pane%1").arg(i));
        label->setMinimumWidth(pane.width); // wider when the font needs it, so no text is cut
        label->setFrameShape(pane.border ? QFrame::Panel : QFrame::NoFrame);
        label->setFrameShadow(QFrame::Sunken);
        if (i >= 10)
            label->setEnabled(false); // the lock indicators stay dim: the key states are not read here
        bar->addPermanentWidget(label);
        m_Panes[static_cast<size_t>(i)] = label;
    }
}

QString CMainFrame::paneText(int pane) const
{
    if (pane == 0 && !statusBar()->currentMessage().isEmpty())
        return statusBar()->currentMessage();
    return m_Panes[static_cast<size_t>(pane)]->text();
}

void CMainFrame::SetPane(int pane, const QString& text)
{
    QLabel* label = m_Panes[static_cast<size_t>(pane)];
    label->setText(text);
    label->repaint(); // these panes are redrawn at once
}

void CMainFrame::OnStatusFFTSize(int points)
{
    m_Panes[5]->setText(StatusTexts::fftSize(points)); // this pane is not forced to redraw
}

void CMainFrame::OnStatusFile()
{
    CResoniDoc* doc = m_app.doc();
    SetPane(1, StatusTexts::file(doc ? doc->waveFileName() : QString()));
}

void CMainFrame::OnStatusBits(int bits)
{
    SetPane(2, StatusTexts::bits(bits));
}

void CMainFrame::OnStatusRate(int hertz)
{
    SetPane(3, StatusTexts::rate(hertz));
}

void CMainFrame::OnStatusConversion(const QString& line, const QString& conversion)
{
    SetPane(0, line.isEmpty() ? QStringLiteral("Bereit") : line);
    setWindowTitle(conversion.isEmpty() ? QStringLiteral("Soundanalyse")
                                        : QStringLiteral("Soundanalyse [%1]").arg(conversion));
}

void CMainFrame::OnStatusListening()
{
    SetPane(7, StatusTexts::listening(g_bListening));
}

void CMainFrame::OnStatusRecording()
{
    SetPane(8, StatusTexts::recording(g_bRecording));
}

void CMainFrame::SetDocumentMenus(bool withDocument)
{
    m_bWithDocument = withDocument;
    menuBar()->clear();
    m_pFileMenu = nullptr;
    m_RecentActions.clear(); // they stay with the old menu
    for (const MenuSpec& menuDef : withDocument ? menuBarWithDocument() : menuBarWithoutDocument()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuDef.title));
        if (withDocument && !m_pFileMenu)
            m_pFileMenu = menu; // "&Datei" comes first
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        for (const MenuItem& item : menuDef.items) {
            if (item.separator)
                menu->addSeparator();
            else
                menu->addAction(action(item.id));
        }
    }
    m_pToolBar->setVisible(true);
    RefreshRecentFiles();
    UpdateCommandUI();
}

void CMainFrame::RefreshRecentFiles()
{
    if (!m_pFileMenu)
        return;
    if (m_RecentActions.isEmpty()) {
        // Made once per menu and then only relabelled: an entry may be the sender that changes the list.
        QAction* exit = action(CommandId::AppExit);
        for (std::size_t i = 0; i < RecentFileList::kMaxEntries; ++i) {
            auto* a = new QAction(m_pFileMenu);
            connect(a, &QAction::triggered, this, [this, i] { m_app.OpenRecentFile(static_cast<int>(i)); });
            m_pFileMenu->insertAction(exit, a);
            m_RecentActions << a;
        }
        m_RecentActions << m_pFileMenu->insertSeparator(exit);
    }
    const std::vector<std::string>& files = m_app.recentFiles().entries();
    for (std::size_t i = 0; i < RecentFileList::kMaxEntries; ++i) {
        QAction* a = m_RecentActions[static_cast<qsizetype>(i)];
        a->setVisible(i < files.size());
        a->setText(i < files.size() ? QString::fromStdString(RecentFileList::MenuText(i, files[i])) : QString());
        a->setStatusTip(i < files.size() ? QString::fromStdString(files[i]) : QString());
    }
    m_RecentActions.last()->setVisible(!files.empty());
}

QList<QAction*> CMainFrame::recentFileActions() const
{
    QList<QAction*> shown;
    for (QAction* a : m_RecentActions)
        if (a->isVisible() && !a->isSeparator())
            shown << a;
    return shown;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (m_app.doc() && !urls.isEmpty() && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    m_app.OpenFile(urls.first().toLocalFile());
    UpdateCommandUI();
}

bool CMainFrame::ActiveWindowClearsCaptures() const
{
    QMdiSubWindow* active = m_pMdiArea->activeSubWindow();
    if (auto* module = qobject_cast<CModuleChildFrame*>(active))
        return module->CanClearCaptures();
    if (auto* wave = qobject_cast<CSplitterFrame*>(active))
        return wave->CanClearCaptures();
    return false;
}

void CMainFrame::UpdateCommandUI()
{
    CResoniDoc* doc = m_app.doc();
    for (const CommandInfo& c : commandTable()) {
        QAction* a = action(c.id);
        bool enabled = c.available;
        switch (c.id) {
        case CommandId::ViewToolbar: a->setChecked(m_pToolBar->isVisibleTo(this)); break;
        case CommandId::ViewStatusBar: a->setChecked(statusBar()->isVisibleTo(this)); break;
        case CommandId::EditClearCaptures: enabled = enabled && doc && ActiveWindowClearsCaptures(); break;
        case CommandId::PlayWave: case CommandId::StopPlay:
            enabled = enabled && g_bWaveLoaded && m_app.audioAvailable();
            break;
        case CommandId::RemoveWave: enabled = enabled && g_bWaveLoaded; break;
        case CommandId::LoopPlay:
            enabled = enabled && g_bWaveLoaded && !g_bPlaying && m_app.audioAvailable();
            a->setChecked(g_bLoopPlay);
            break;
        case CommandId::DataListen: case CommandId::ToolListen:
            enabled = enabled && m_app.audioAvailable();
            a->setChecked(g_bListening);
            break;
        case CommandId::Record: enabled = enabled && g_bListening && !g_bRecording; break;
        case CommandId::RecordStop: enabled = enabled && g_bListening && g_bRecording; break;
        default:
            if (CViewCommands::Handles(c.id)) {
                enabled = m_pViewCommands->Enabled(c.id);
            } else if (auto m = moduleOfCommand(c.id)) {
                enabled = enabled && doc;
                a->setChecked(doc && doc->UpdateModuleToggle(*m));
            }
            break;
        }
        if (!doc && (c.id == CommandId::FFTSettings || c.id == CommandId::RemoveWave || c.id == CommandId::Mixer ||
                     c.id == CommandId::ProfileSelect || c.id == CommandId::ProfileSave))
            enabled = false;
        a->setEnabled(enabled);
    }
}

void CMainFrame::Execute(CommandId id)
{
    CResoniDoc* doc = m_app.doc();
    if (auto m = moduleOfCommand(id)) {
        if (doc)
            doc->ToggleModuleWindow(*m);
        UpdateCommandUI();
        return;
    }
    if (CViewCommands::Handles(id)) {
        m_pViewCommands->Execute(id);
        UpdateCommandUI();
        return;
    }
    switch (id) {
    case CommandId::AppExit: m_app.OnAppExit(); break;
    case CommandId::AppAbout: m_app.OnAppAbout(); break;
    case CommandId::Mixer: m_app.OnMixer(); break;
    case CommandId::ProfileSelect: m_app.OnProfileSelect(); break;
    case CommandId::ProfileSave: m_app.OnProfileSave(); break;
    case CommandId::ViewToolbar: m_pToolBar->setVisible(!m_pToolBar->isVisible()); break;
    case CommandId::ViewStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); break;
    case CommandId::WindowCascade: m_pMdiArea->cascadeSubWindows(); break;
    case CommandId::WindowTile: m_pMdiArea->tileSubWindows(); break;
    case CommandId::WindowArrange: ArrangeIcons(); break;
    case CommandId::Abort: g_bAbort.raise(); break;
    case CommandId::NextPane: ActivatePane(true); break;
    case CommandId::PrevPane: ActivatePane(false); break;
    case CommandId::EditClearCaptures:
        if (doc && ActiveWindowClearsCaptures())
            doc->OnClearCaptures();
        break;
    case CommandId::FFTSettings:
        if (doc)
            doc->OnFFTSettings();
        break;
    case CommandId::RemoveWave:
        if (doc && g_bWaveLoaded)
            doc->RemoveWave();
        break;
    case CommandId::FileOpenWave: m_app.OnOpenWave(); break;
    case CommandId::DataListen: case CommandId::ToolListen:
        if (doc)
            doc->ToggleListening();
        break;
    case CommandId::Record:
        if (doc)
            doc->OnRecord();
        break;
    case CommandId::RecordStop:
        if (doc)
            doc->StopRecording();
        break;
    case CommandId::PlayWave:
        if (doc)
            doc->OnPlay();
        break;
    case CommandId::StopPlay:
        if (doc)
            doc->OnStopPlay();
        break;
    case CommandId::LoopPlay:
        if (doc)
            doc->OnLoopPlay();
        break;
    case CommandId::WaveFormat:
        if (doc)
            doc->OnWaveFormat();
        break;
    case CommandId::SoundCard: m_app.OnSoundCard(); break;
    case CommandId::FileOpenSeries:
        if (doc)
            doc->OnImportTimeSeries();
        break;
    default: break; // commands whose behaviour is not available are disabled
    }
    UpdateCommandUI();
}

void CMainFrame::ArrangeIcons()
{
    // Minimised windows in a row along the bottom of the client area, left to right.
    int x = 0;
    const int bottom = m_pMdiArea->viewport()->height();
    for (QMdiSubWindow* w : m_pMdiArea->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        w->move(x, bottom - s.height());
        x += s.width();
    }
}

void CMainFrame::ActivatePane(bool next)
{
    QMdiSubWindow* active = m_pMdiArea->activeSubWindow();
    if (!active)
        return;
    const QList<CDocView*> panes = active->findChildren<CDocView*>();
    if (panes.size() < 2)
        return;
    qsizetype current = 0;
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (panes[i]->hasFocus())
            current = i;
    const qsizetype n = panes.size();
    panes[(current + (next ? 1 : n - 1)) % n]->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    storePlacement(*this, m_app.m_Placements[0]);
    m_app.DestroyDocument();
    event->accept();
}
