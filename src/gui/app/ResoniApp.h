// The application object: owns the main window, the one document, the settings a profile
// carries (FFT size, last file, open module windows, window placements) and the dialogs
// interface. Exactly one exists while the program runs; CResoniApp::instance() reaches it.
#pragma once

#include "TonePlayer.h"
#include "UiDialogs.h"

#include "core/profiles/ProfileSettings.h"
#include "core/profiles/RecentFileList.h"
#include "core/profiles/WindowPlacement.h"
#include "gui/document/ModuleWindows.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class CIniFile;
class CMainFrame;
class CProfileStore;
class CResoniDoc;

class CSoundDevices;

class CResoniApp
{
public:
    CResoniApp();
    ~CResoniApp();
    CResoniApp(const CResoniApp&) = delete;
    CResoniApp& operator=(const CResoniApp&) = delete;

    static CResoniApp* instance() { return s_pInstance; }
    // Shown when a profile is to be saved under an empty name or one with a path separator.
    static const QString kInvalidProfileName;

    // Start-up; false ends the program. args: the program's command line (first: the program).
    bool InitInstance(const QStringList& args);
    // After the event loop: saves the last-used configuration; returns the exit code.
    int ExitInstance(int exitCode);

    // Called whenever the event loop is about to wait: clears the abort flag, closes the 3D
    // windows when one asked for it, and refreshes the commands' enabled and checked states.
    void OnIdle();
    // Toolbar "Mixer": starts the desktop's sound mixer.
    void OnMixer();
    // "&WAV-Datei öffnen" through the file dialog; a loaded file goes into the recent list.
    void OnOpenWave();
    // Opens a WAV file given on the command line, dropped onto the main window or chosen from
    // the recent list. A file that does not exist is reported and leaves the list.
    void OpenFile(const QString& path);
    // Entry i (0-based) of the recent list.
    void OpenRecentFile(int index);
    const RecentFileList& recentFiles() const { return m_RecentFiles; }
    // The message for a file that cannot be found (listed: it was in the recent list).
    static QString MissingFileMessage(const QString& path, bool listed);

    // "Inf&o über Resoni...".
    void OnAppAbout();
    // Ends the run: closes the main window (which destroys the document).
    void OnAppExit();
    // "&Profil auswählen": choose another profile and rebuild the windows from it.
    void OnProfileSelect();
    // "Profil speichern": save the current configuration as an own profile.
    void OnProfileSave();

    // The welcome dialog (and the standard profile dialog behind it); sets the profile kind and
    // the user file name. False when the user cancelled.
    bool ChooseProfile();
    // Reads (bRead) or writes every setting of a profile through ini.
    void ExchangeProfile(CIniFile& ini, bool bRead);
    CProfileStore& profileStore() const { return *m_pProfileStore; }
    // The main window's usable client area in pixels: the reference of the child windows'
    // placements in percent.
    QSize layoutArea() const;

    CMainFrame* mainFrame() const { return m_pMainFrame.get(); }
    CResoniDoc* doc() const { return m_pDoc.get(); }
    IUiDialogs& dialogs() const { return *m_pDialogs; }
    // Tests answer the program's dialogs through their own implementation.
    void setDialogs(std::unique_ptr<IUiDialogs> dialogs);
    // A tone of the given frequency and length on the output device; nothing without one.
    void PlayTone(double frequencyHz, int milliseconds);
    void setTonePlayer(std::unique_ptr<ITonePlayer> player) { m_pTonePlayer = std::move(player); }

    // "&Soundkarte" (F10): choose the capture and output devices and open them.
    void OnSoundCard();
    // The open sound devices; null before start-up opened them (or when a test runs without).
    CSoundDevices* soundDevices() const { return m_pSoundDevices.get(); }
    // Whether start-up opens the sound devices (tests without audio switch this off).
    bool m_bOpenSoundDevices = true;
    // False after the sound devices could not be opened (no audio server, a failed device):
    // listening, recording and playback are then switched off until "&Soundkarte" opens them.
    bool audioAvailable() const { return !m_bAudioUnavailable; }

    // Creates the document with its waveform window (the "new document" step of start-up).
    bool CreateDocument();
    // Destroys the document; its destructor hands the FFT size and file back to the settings.
    void DestroyDocument();

    int& moduleOpenFlag(Module m) { return m_nModuleOpen[static_cast<size_t>(m)]; }

    // --- settings carried by the profiles ---------------------------------------------------
    QString m_strPlaybackDevice;
    QString m_strCaptureDevice;
    int m_nProfileKind = 0;
    QString m_strProfileFile;
    QString m_strLastWaveFile;   // the last WAV file; carried from one document to the next
    int m_nDefaultFFTSize = 0;   // the FFT size of the profile; carried from one document to the next
    std::array<int, kModuleCount> m_nModuleOpen{}; // open flag per module window (by Module)
    std::array<WindowPlacement, kLayoutSlotCount> m_Placements{};

    // Every other profile setting (module parameters), one field per profile key.
    ProfileSettings m_Settings;

    // Mixer programs tried in order; the first that starts wins.
    QStringList m_MixerPrograms;

private:
    void ApplyMainPlacement();
    void CollectSettings();
    void OpenProfileWindows();
    // Loads the profile's last WAV file, unless it is "Kein File ausgewählt.".
    void LoadLastWaveFile();
    // Start-up: opens the sound devices; false (after the messages) when they cannot be opened,
    // and the program goes on without sound.
    bool OpenSoundDevices();
    // After a successful load of a WAV file: its path goes to the front of the recent list.
    void NoteOpenedFile();
    // The first start (no last-used profile yet): the demo sound loaded and wholly selected.
    void OpenDemoSound();
    bool m_bAudioUnavailable = false;
    RecentFileList m_RecentFiles;

    static CResoniApp* s_pInstance;
    std::unique_ptr<IUiDialogs> m_pDialogs;
    std::unique_ptr<ITonePlayer> m_pTonePlayer; // set up with the sound devices
    std::unique_ptr<CSoundDevices> m_pSoundDevices;
    std::unique_ptr<CProfileStore> m_pProfileStore;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CResoniDoc> m_pDoc;
};
