#include "ResoniApp.h"

#include "AboutDlg.h"
#include "MainFrame.h"
#include "ModuleChildFrame.h"
#include "QtUiDialogs.h"

#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/waveform/SplitterFrame.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiArea>
#include <QProcess>
#include <QTranslator>

CResoniApp* CResoniApp::s_pInstance = nullptr;

namespace {

// Qt's own German texts for standard buttons and dialogs ("Abbrechen", "Ja", file dialogs).
void installGermanTranslations()
{
    static QTranslator qtBase;
    static bool loaded = false;
    if (loaded || !qApp)
        return;
    loaded = true;
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtBase.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"), dir))
        QCoreApplication::installTranslator(&qtBase);
}

} // namespace

CResoniApp::CResoniApp()
    : m_strPlaybackDevice(QStringLiteral("Primärer Soundtreiber")),
      m_strCaptureDevice(QStringLiteral("Primärer Soundaufnahmetreiber")),
      m_MixerPrograms({QStringLiteral("pavucontrol"), QStringLiteral("pavucontrol-qt"), QStringLiteral("kmix"),
                       QStringLiteral("xfce4-mixer")}),
      m_pDialogs(std::make_unique<CQtUiDialogs>())
{
    s_pInstance = this;
    ResetGlobalFlags();
}

CResoniApp::~CResoniApp()
{
    DestroyDocument();
    m_pMainFrame.reset();
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

void CResoniApp::setDialogs(std::unique_ptr<IUiDialogs> dialogs)
{
    m_pDialogs = std::move(dialogs);
}

bool CResoniApp::InitInstance(const QStringList& args)
{
    installGermanTranslations();

    // The main window with the menu bar for the time before the document exists.
    m_pMainFrame = std::make_unique<CMainFrame>(*this);

    // The command line's one optional argument names a user profile.
    const QString profileName = args.size() > 1 ? args.at(1) : QString();
    if (!profileName.isEmpty()) {
        m_strProfileFile = QStringLiteral("ResoniUserProfil-") + profileName + QStringLiteral(".ini");
        m_nProfileKind = 7;
    }

    // Start values of the settings a profile carries; a loaded profile overrides them (issue 7).
    if (m_nDefaultFFTSize == 0)
        m_nDefaultFFTSize = 1024;
    if (m_strLastWaveFile.isEmpty())
        m_strLastWaveFile = QStringLiteral("Kein File ausgewählt.");

    // The windows the profile lists; taken now, since refreshing the commands clears the
    // flag of every window that is not open yet.
    const std::array<int, kModuleCount> openAtStart = m_nModuleOpen;

    ApplyMainPlacement();

    if (!CreateDocument())
        return false;

    for (Module m : kStartupModuleOrder)
        if (openAtStart[static_cast<size_t>(m)] != 0)
            m_pDoc->ToggleModuleWindow(m);

    m_nProfileKind = 6;

    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     m_pMainFrame.get(), [this] { OnIdle(); });
    return true;
}

int CResoniApp::ExitInstance(int exitCode)
{
    DestroyDocument();
    return exitCode;
}

void CResoniApp::ApplyMainPlacement()
{
    CMainFrame& frame = *m_pMainFrame;
    const WindowPlacement& wp = m_Placements[0];
    if (wp.right > wp.left && wp.bottom > wp.top)
        frame.setGeometry(wp.left, wp.top, wp.right - wp.left, wp.bottom - wp.top);
    else
        frame.resize(1024, 720);
    // The predefined profiles (kinds 0 to 5) always show the main window maximised.
    if (m_nProfileKind <= 5 || wp.showCmd == WindowPlacement::kShowMaximized)
        frame.showMaximized();
    else if (wp.showCmd == WindowPlacement::kShowMinimized)
        frame.showMinimized();
    else
        frame.show();
}

bool CResoniApp::CreateDocument()
{
    if (m_pDoc)
        return true;
    m_pDoc = std::make_unique<CResoniDoc>(*this);
    if (!m_pDoc->OnNewDocument()) {
        m_pDoc.reset();
        return false;
    }
    auto* frame = new CSplitterFrame(*m_pDoc);
    m_pMainFrame->mdiArea()->addSubWindow(frame);
    frame->show();
    m_pDoc->m_pWaveFrame = frame;
    m_pMainFrame->SetDocumentMenus(true);
    m_pDoc->UpdateStatusBar();
    return true;
}

void CResoniApp::DestroyDocument()
{
    if (!m_pDoc)
        return;
    // The windows go first (each stores its placement), then the document itself.
    for (const ModuleInfo& info : moduleTable())
        delete m_pDoc->moduleFrame(info.module);
    if (CSplitterFrame* wave = m_pDoc->m_pWaveFrame)
        delete wave;
    m_pDoc.reset();
    if (m_pMainFrame)
        m_pMainFrame->SetDocumentMenus(false);
}

void CResoniApp::OnIdle()
{
    g_bAbort.clear();
    if (m_pDoc)
        m_pDoc->CloseThreeDViewsIfRequested();
    if (m_pMainFrame)
        m_pMainFrame->UpdateCommandUI();
}

void CResoniApp::OnMixer()
{
    for (const QString& program : m_MixerPrograms)
        if (QProcess::startDetached(program, {}))
            return;
    m_pDialogs->messageBox(QStringLiteral("Standardsoundmixer 'sndvol32.exe' nicht auffindbar."));
}

void CResoniApp::OnAppAbout()
{
    CAboutDlg dlg(m_pMainFrame.get());
    m_pDialogs->execDialog(dlg);
}

void CResoniApp::OnAppExit()
{
    if (m_pMainFrame)
        m_pMainFrame->close();
}
