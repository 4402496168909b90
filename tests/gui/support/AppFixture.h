// A started program for GUI tests: the application object after InitInstance, with scripted
// dialogs, offscreen, and its profile directories in a temporary folder. By default it starts
// with the own profile "fixture" (no module windows, FFT size 1024, no file), written there
// first; prepare() may change that profile, and a test may pass its own command line instead.
#pragma once

#include "ScriptedDialogs.h"

#include "core/profiles/ProfileSettings.h"
#include "gui/app/MainFrame.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/ResoniDoc.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class AppFixture;

struct FixtureOptions
{
    QStringList args = {QStringLiteral("resoni"), QStringLiteral("fixture")};
    std::function<void(ProfileSettings&)> prepare;     // the "fixture" profile's settings
    std::function<void(AppFixture&)> beforeStart;      // e.g. queue dialog answers, write profiles
    // Start-up opens the sound devices when the test script's audio server runs.
    bool openSoundDevices = qEnvironmentVariable("RESONI_PULSE") == QLatin1String("1");
};

class AppFixture
{
public:
    explicit AppFixture(const FixtureOptions& options = {});
    ~AppFixture();

    CResoniApp& app() { return *m_app; }
    CResoniDoc& doc() { return *m_app->doc(); }
    CMainFrame& frame() { return *m_app->mainFrame(); }
    CScriptedDialogs& dialogs() { return *m_dialogs; }
    bool started() const { return m_started; }

    // Runs a command as a user does: through its action, after the enabling rules ran; a file
    // name answers the file dialog the command opens.
    void run(CommandId id, const QString& file = QString());
    QStringList paneTexts(std::initializer_list<int> panes);
    // Answers the welcome dialog with the own profile of this name.
    static std::function<int(QDialog&)> ownProfile(const QString& name);

    QString userDir() const { return m_dir.path() + QStringLiteral("/user"); }
    QString shippedDir() const { return m_dir.path() + QStringLiteral("/shipped"); }
    QString tempDir() const { return m_dir.path() + QStringLiteral("/tmp"); }
    // Settings of a profile as the fixture writes them: FFT 1024, no file, no windows.
    static ProfileSettings baseSettings();
    // Writes settings as a profile file.
    static void writeProfile(const QString& path, ProfileSettings settings);
    static ProfileSettings readProfile(const QString& path);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CResoniApp> m_app;
    CScriptedDialogs* m_dialogs; // owned by the application object
    bool m_started = false;
};
