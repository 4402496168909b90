#include "ResoniApp.h"

#include "AboutDlg.h"
#include "MainFrame.h"
#include "ModuleChildFrame.h"
#include "PlacementUtil.h"
#include "QtUiDialogs.h"
#include "StartArguments.h"
#include "ToolbarIcons.h"

#include "core/audio/AudioTexts.h"
#include "core/profiles/ProfileFiles.h"
#include "core/profiles/ProfileLayout.h"
#include "gui/audio/SoundDevices.h"
#include "gui/document/UpdateHints.h"
#include "gui/profiles/ProfileStore.h"
#include "gui/profiles/SaveProfileDlg.h"
#include "gui/profiles/StandardProfileDlg.h"
#include "gui/profiles/WelcomeDlg.h"

#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/waveform/SplitterFrame.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiArea>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QTranslator>

#include <algorithm>
#include <cmath>

CResoniApp* CResoniApp::s_pInstance = nullptr;
const QString CResoniApp::kInvalidProfileName =
    QStringLiteral("Bitte geben Sie einen Namen ohne \"/\" und \"\\\" ein.");

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
      m_pDialogs(std::make_unique<CQtUiDialogs>()), m_pProfileStore(std::make_unique<CProfileStore>(*this))
{
    s_pInstance = this;
    ResetGlobalFlags();
}

CResoniApp::~CResoniApp()
{
    DestroyDocument();
    m_pTonePlayer.reset();
    if (m_pSoundDevices)
        m_pSoundDevices->ReleaseSoundDevices();
    m_pSoundDevices.reset();
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
    // Every window and dialog carries the program's icon.
    QApplication::setWindowIcon(ToolbarIcons::programIcon());

    // The main window with the menu bar for the time before the document exists.
    m_pMainFrame = std::make_unique<CMainFrame>(*this);

    // The sound devices; without them the files can still be analysed.
    if (m_bOpenSoundDevices)
        OpenSoundDevices();

    // The command line: a profile name and/or a file to open, in any order. With neither a
    // profile name nor a last-used profile (the very first start) the Standard profile opens
    // with the demo sound; otherwise without a name the user chooses in the welcome dialog.
    const StartArguments start = ParseStartArguments(args);
    m_RecentFiles.Load(m_pProfileStore->recentFilesPath().toStdString());
    const bool firstStart = start.profileName.isEmpty() && !QFileInfo::exists(m_pProfileStore->lastUsedPath());
    if (firstStart) {
        m_nProfileKind = 0; // "Standard"
    } else if (start.profileName.isEmpty()) {
        if (!ChooseProfile())
            return false;
    } else {
        m_strProfileFile = QString::fromStdString(UserProfileFileName(start.profileName.toStdString()));
        m_nProfileKind = kProfileUser;
    }

    // Missing keys leave the main window where it is.
    storePlacement(*m_pMainFrame, m_Placements[0]);
    if (!m_pProfileStore->LoadProfile())
        return false;

    // The windows the profile lists; taken now, since refreshing the commands clears the
    // flag of every window that is not open yet.
    const std::array<int, kModuleCount> openAtStart = m_nModuleOpen;

    ApplyMainPlacement();

    if (!CreateDocument())
        return false;

    for (Module m : kStartupModuleOrder)
        if (openAtStart[static_cast<size_t>(m)] != 0)
            m_pDoc->ToggleModuleWindow(m);

    m_nProfileKind = kProfileLastUsed;
    if (!start.file.isEmpty())
        OpenFile(start.file);
    else if (firstStart)
        OpenDemoSound();
    else
        LoadLastWaveFile();

    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     m_pMainFrame.get(), [this] { OnIdle(); });
    return true;
}

int CResoniApp::ExitInstance(int exitCode)
{
    DestroyDocument();
    // A document existed when the FFT size is set: keep this configuration for next time.
    if (m_nDefaultFFTSize != 0) {
        m_nProfileKind = kProfileLastUsed;
        m_pProfileStore->WriteProfile(m_pProfileStore->lastUsedPath());
    }
    return exitCode;
}

bool CResoniApp::ChooseProfile()
{
    for (;;) {
        CWelcomeDlg welcome([this] { return m_pProfileStore->userProfileNames(); },
                            [this](const QString& hint) { m_pDialogs->messageBox(hint); }, m_pMainFrame.get());
        if (m_pDialogs->execDialog(welcome) != QDialog::Accepted)
            return false;
        switch (welcome.choice()) {
        case CWelcomeDlg::Choice::LastUsed:
            m_nProfileKind = kProfileLastUsed;
            return true;
        case CWelcomeDlg::Choice::Predefined: {
            CStandardProfileDlg standard(m_nProfileKind, m_pMainFrame.get());
            if (m_pDialogs->execDialog(standard) == QDialog::Accepted) {
                if (standard.chosenKind() >= 0)
                    m_nProfileKind = standard.chosenKind();
                return true;
            }
            break; // back to the welcome dialog
        }
        case CWelcomeDlg::Choice::Own:
            if (welcome.profileName().isEmpty())
                break;
            m_strProfileFile = QString::fromStdString(UserProfileFileName(welcome.profileName().toStdString()));
            m_nProfileKind = kProfileUser;
            return true;
        }
    }
}

void CResoniApp::ExchangeProfile(CIniFile& ini, bool bRead)
{
    // The settings the program keeps under its own names travel with the profile's fields.
    ProfileSettings& s = m_Settings;
    int* const open[kModuleCount] = {&s.IniFensterZeitreihe, &s.IniFensterFFT,  &s.IniFensterFFT3D,
                                     &s.IniFensterNotenbild, &s.IniFensterSono, &s.IniFensterReko,
                                     &s.IniFensterAnalyse,   &s.IniFensterWavelet};
    s.IniDokumentNumFFTPoints = m_nDefaultFFTSize;
    s.IniDokumentPlayFile = m_strLastWaveFile.toStdString();
    for (size_t i = 0; i < kModuleCount; ++i)
        *open[i] = m_nModuleOpen[i];
    s.placements = m_Placements;
    ::ExchangeProfile(ini, bRead, s);
    if (bRead) {
        m_nDefaultFFTSize = s.IniDokumentNumFFTPoints;
        m_strLastWaveFile = QString::fromStdString(s.IniDokumentPlayFile);
        for (size_t i = 0; i < kModuleCount; ++i)
            m_nModuleOpen[i] = *open[i] != 0 ? 1 : 0;
        m_Placements = s.placements;
    }
}

QSize CResoniApp::layoutArea() const
{
    return m_pMainFrame ? m_pMainFrame->mdiArea()->size() : QSize();
}

void CResoniApp::ApplyMainPlacement()
{
    CMainFrame& frame = *m_pMainFrame;
    const QRect work = frame.screen() ? frame.screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
    WindowPlacement& wp = m_Placements[0];
    wp = FitMainPlacement(wp, PixelRect{work.left(), work.top(), work.left() + work.width(),
                                        work.top() + work.height()});
    restorePlacement(frame, wp);
    // The predefined profiles (kinds 0 to 5) always show the main window maximised.
    if ((m_nProfileKind >= 0 && m_nProfileKind <= 5) || wp.showCmd == WindowPlacement::kShowMaximized)
        frame.showMaximized();
    else if (wp.showCmd == WindowPlacement::kShowMinimized)
        frame.showMinimized();
    else
        frame.show();
}

void CResoniApp::CollectSettings()
{
    if (!m_pDoc)
        return;
    m_nDefaultFFTSize = m_pDoc->m_nFFTSize;
    m_strLastWaveFile = m_pDoc->waveFileName();
    for (const ModuleInfo& info : moduleTable())
        if (CModuleChildFrame* f = m_pDoc->moduleFrame(info.module)) {
            f->StorePlacement();
            f->StoreSettings();
        }
    if (CSplitterFrame* wave = m_pDoc->m_pWaveFrame)
        wave->StorePlacement();
}

void CResoniApp::OpenProfileWindows()
{
    const std::array<int, kModuleCount> open = m_nModuleOpen;
    for (Module m : kStartupModuleOrder)
        if (open[static_cast<size_t>(m)] != 0 && !m_pDoc->moduleFrame(m))
            m_pDoc->ToggleModuleWindow(m);
}

void CResoniApp::OnProfileSelect()
{
    if (!m_pDoc || !ChooseProfile())
        return;
    if (g_bWaveLoaded)
        m_pDoc->RemoveWave();
    for (Module m : kStartupModuleOrder)
        if (m_pDoc->moduleFrame(m))
            m_pDoc->ToggleModuleWindow(m);
    if (!m_pProfileStore->LoadProfile()) {
        OnAppExit(); // the program cannot go on without its profile
        return;
    }
    LoadLastWaveFile();
    if (CSplitterFrame* wave = m_pDoc->m_pWaveFrame)
        wave->RestorePlacement();
    OpenProfileWindows();
}

namespace {

// Tones through the opened output device.
class CDeviceTones : public ITonePlayer
{
public:
    explicit CDeviceTones(CSoundDevices& devices) : m_devices(devices) {}
    void Play(double frequencyHz, int milliseconds) override
    {
        if (frequencyHz > 0 && milliseconds > 0)
            m_devices.Beep(static_cast<std::uint32_t>(std::lround(frequencyHz)), static_cast<std::uint32_t>(milliseconds));
    }

private:
    CSoundDevices& m_devices;
};

} // namespace

bool CResoniApp::OpenSoundDevices()
{
    m_bAudioUnavailable = true;
    if (!CSoundDevices::AudioServerAnswers()) {
        m_pDialogs->messageBox(QString::fromUtf8(AudioText::kNoAudioServer)); // the one message
        return false;
    }
    m_pSoundDevices = std::make_unique<CSoundDevices>([this](const QString& text) { m_pDialogs->messageBox(text); });
    if (m_pSoundDevices->InitSoundDevices() != 0) {
        m_pDialogs->messageBox(QString::fromUtf8(AudioText::kStartupDevicesFailed));
        m_pSoundDevices.reset();
        return false;
    }
    m_bAudioUnavailable = false;
    m_pTonePlayer = std::make_unique<CDeviceTones>(*m_pSoundDevices);
    return true;
}

void CResoniApp::OnSoundCard()
{
    if (!m_pSoundDevices)
        m_pSoundDevices = std::make_unique<CSoundDevices>([this](const QString& text) { m_pDialogs->messageBox(text); });
    const std::optional<SoundDeviceChoice> choice = m_pSoundDevices->ChooseDevices(*m_pDialogs, m_pMainFrame.get());
    if (!choice)
        return;
    m_pSoundDevices->SetDeviceIds(QByteArray::fromStdString(choice->capture.id),
                                  QByteArray::fromStdString(choice->playback.id));
    m_strCaptureDevice = QString::fromStdString(choice->capture.description);
    m_strPlaybackDevice = QString::fromStdString(choice->playback.description);
    if (m_pDoc)
        m_pDoc->UpdateAllViews(UpdateHint::kRefresh);
    m_bAudioUnavailable = true;
    if (m_pSoundDevices->InitSoundDevices() != 0) {
        m_pDialogs->messageBox(QString::fromUtf8(AudioText::kInterfaceCreationFailed));
        m_pSoundDevices->ReleaseSoundDevices();
        if (m_pMainFrame)
            m_pMainFrame->UpdateCommandUI();
        return;
    }
    m_bAudioUnavailable = false;
    if (m_pMainFrame)
        m_pMainFrame->UpdateCommandUI();
    m_pTonePlayer = std::make_unique<CDeviceTones>(*m_pSoundDevices);
}

void CResoniApp::PlayTone(double frequencyHz, int milliseconds)
{
    if (m_pTonePlayer)
        m_pTonePlayer->Play(frequencyHz, milliseconds);
}

void CResoniApp::LoadLastWaveFile()
{
    if (m_pDoc && m_strLastWaveFile != CResoniDoc::kNoFile)
        m_pDoc->OpenWaveFile(m_strLastWaveFile);
}

void CResoniApp::OnOpenWave()
{
    if (!m_pDoc)
        return;
    m_pDoc->OnOpenWave();
    NoteOpenedFile();
}

QString CResoniApp::MissingFileMessage(const QString& path, bool listed)
{
    return listed ? QStringLiteral("Die Datei\n%1\nist nicht mehr vorhanden. Sie wird aus der Liste der "
                                   "zuletzt geöffneten Dateien entfernt.")
                        .arg(QDir::toNativeSeparators(path))
                  : QStringLiteral("Die Datei\n%1\nwurde nicht gefunden.").arg(QDir::toNativeSeparators(path));
}

void CResoniApp::OpenFile(const QString& path)
{
    if (!m_pDoc)
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(absolute).isFile()) {
        const std::vector<std::string>& listed = m_RecentFiles.entries();
        const bool inList = std::find(listed.begin(), listed.end(), absolute.toStdString()) != listed.end();
        m_RecentFiles.Remove(absolute.toStdString());
        m_RecentFiles.Save(m_pProfileStore->recentFilesPath().toStdString());
        if (m_pMainFrame)
            m_pMainFrame->RefreshRecentFiles();
        m_pDialogs->messageBox(MissingFileMessage(absolute, inList), QString(), IUiDialogs::Icon::Warning);
        return;
    }
    m_pDoc->PrepareForNewFile();
    m_pDoc->OpenWaveFile(absolute);
    NoteOpenedFile();
}

void CResoniApp::OpenRecentFile(int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < m_RecentFiles.entries().size())
        OpenFile(QString::fromStdString(m_RecentFiles.entries()[static_cast<std::size_t>(index)]));
}

void CResoniApp::NoteOpenedFile()
{
    if (!m_pDoc || !g_bWaveLoaded || m_pDoc->waveFileName() == CResoniDoc::kNoFile)
        return;
    m_RecentFiles.Add(QFileInfo(m_pDoc->waveFileName()).absoluteFilePath().toStdString());
    m_RecentFiles.Save(m_pProfileStore->recentFilesPath().toStdString());
    if (m_pMainFrame)
        m_pMainFrame->RefreshRecentFiles();
}

void CResoniApp::OpenDemoSound()
{
    const QString demo = m_pProfileStore->demoSoundPath();
    if (!m_pDoc || !QFileInfo(demo).isFile())
        return;
    m_pDoc->OpenWaveFile(demo);
    // Selected as a whole, so that every open window shows its analysis at once.
    if (g_bWaveLoaded && m_pDoc->m_pWaveFrame)
        m_pDoc->m_pWaveFrame->SelectWhole();
}

void CResoniApp::OnProfileSave()
{
    if (!m_pDoc)
        return;
    const QString current = QString::fromStdString(UserProfileDisplayName(m_strProfileFile.toStdString()));
    CSaveProfileDlg dlg(current, m_pMainFrame.get());
    if (m_pDialogs->execDialog(dlg) != QDialog::Accepted)
        return;
    const QString name = dlg.name().trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        m_pDialogs->messageBox(kInvalidProfileName);
        return;
    }
    m_strProfileFile = QString::fromStdString(UserProfileFileName(name.toStdString()));
    m_nProfileKind = kProfileUser;
    CollectSettings();
    const QString path = m_pProfileStore->userDirectory() + QLatin1Char('/') + m_strProfileFile;
    if (QFileInfo::exists(path) &&
        m_pDialogs->messageBox(QStringLiteral("Dieses Profil exisiert bereits\nWollen Sie es überschreiben ?"),
                               QString(), IUiDialogs::Icon::Question,
                               IUiDialogs::Buttons::OkCancel) != IUiDialogs::Answer::Ok)
        return;
    if (!m_pProfileStore->WriteProfile(path))
        m_pDialogs->messageBox(QStringLiteral("Das Profil konnte nicht gespeichert werden:\n") + path);
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
    frame->RestorePlacement(); // the MDI area places new windows by its own rule first
    m_pDoc->m_pWaveFrame = frame;
    m_pMainFrame->SetDocumentMenus(true);
    m_pDoc->UpdateStatusBar();
    return true;
}

void CResoniApp::DestroyDocument()
{
    if (!m_pDoc)
        return;
    // The windows go first (each stores its placement), then the document itself. The windows
    // open now stay listed as open: a refresh while they close must not clear their flags.
    const std::array<int, kModuleCount> open = m_nModuleOpen;
    for (const ModuleInfo& info : moduleTable())
        delete m_pDoc->moduleFrame(info.module);
    if (CSplitterFrame* wave = m_pDoc->m_pWaveFrame)
        delete wave;
    m_pDoc.reset();
    m_nModuleOpen = open;
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
