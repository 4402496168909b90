#include "AppFixture.h"

#include "core/profiles/IniFile.h"
#include "core/spectral/FFTViewSettings.h"
#include "gui/profiles/ProfileStore.h"
#include "gui/profiles/WelcomeDlg.h"

#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QtTest>

AppFixture::AppFixture(const FixtureOptions& options) : m_app(std::make_unique<CResoniApp>())
{
    auto dialogs = std::make_unique<CScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_app->setDialogs(std::move(dialogs));
    m_app->m_bOpenSoundDevices = options.openSoundDevices;
    QDir().mkpath(userDir());
    QDir().mkpath(shippedDir());
    // The document's working copies go to the temporary directory: one per fixture, so test
    // programs running side by side do not share "~TempWave.wav".
    QDir().mkpath(tempDir());
    qputenv("TMPDIR", QFile::encodeName(tempDir()));
    m_app->profileStore().setDirectories(userDir(), shippedDir());
    ProfileSettings settings = baseSettings();
    if (options.prepare)
        options.prepare(settings);
    writeProfile(userDir() + QStringLiteral("/ResoniUserProfil-fixture.ini"), settings);
    if (options.beforeStart)
        options.beforeStart(*this);
    m_started = m_app->InitInstance(options.args);
}

AppFixture::~AppFixture()
{
    m_app->ExitInstance(0);
}

void AppFixture::run(CommandId id, const QString& file)
{
    if (!file.isEmpty())
        dialogs().files.push_back(file);
    frame().UpdateCommandUI();
    QAction* a = frame().action(id);
    QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    a->trigger();
}

QStringList AppFixture::paneTexts(std::initializer_list<int> panes)
{
    QStringList texts;
    for (int pane : panes)
        texts << frame().paneText(pane);
    return texts;
}

std::function<int(QDialog&)> AppFixture::ownProfile(const QString& name)
{
    return [name](QDialog& d) {
        auto& dlg = dynamic_cast<CWelcomeDlg&>(d);
        dlg.button(CWelcomeDlg::Choice::Own)->setChecked(true);
        dlg.profileList()->setEditText(name);
        return int(QDialog::Accepted);
    };
}

ProfileSettings AppFixture::baseSettings()
{
    ProfileSettings s;
    StoreFFTViewSettings(FFTViewSettings{}, s); // the views' own defaults
    s.IniDokumentNumFFTPoints = 1024;
    s.IniDokumentPlayFile = "Kein File ausgewählt.";
    WindowPlacement& main = s.placements[0]; // a normal window well inside any screen
    main.showCmd = WindowPlacement::kShowNormal;
    main.right = 1000;
    main.bottom = 700;
    return s;
}

void AppFixture::writeProfile(const QString& path, ProfileSettings settings)
{
    CIniFile ini(path.toStdString(), std::string(), false);
    ExchangeProfile(ini, false, settings);
}

ProfileSettings AppFixture::readProfile(const QString& path)
{
    ProfileSettings s;
    CIniFile ini(path.toStdString(), std::string(), false);
    ExchangeProfile(ini, true, s);
    return s;
}
