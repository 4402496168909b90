// Profiles in the running program: the welcome dialog at start-up, the standard profile
// choice, a missing profile, saving an own profile and switching between profiles, and the
// last-used profile written at the end.
#include "support/AppFixture.h"

#include "support/TestWaves.h"

#include "gui/app/ModuleChildFrame.h"
#include "gui/document/GlobalFlags.h"
#include "gui/profiles/ProfileStore.h"
#include "gui/profiles/SaveProfileDlg.h"
#include "gui/profiles/StandardProfileDlg.h"
#include "gui/profiles/WelcomeDlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <QtTest>

namespace {

std::function<int(QDialog&)> welcomeAnswer(CWelcomeDlg::Choice choice)
{
    return [choice](QDialog& d) {
        dynamic_cast<CWelcomeDlg&>(d).button(choice)->setChecked(true);
        return int(QDialog::Accepted);
    };
}

std::function<int(QDialog&)> standardAnswer(int kind)
{
    return [kind](QDialog& d) {
        auto& dlg = dynamic_cast<CStandardProfileDlg&>(d);
        if (kind < 0)
            return int(QDialog::Rejected);
        dlg.button(kind)->setChecked(true);
        return int(QDialog::Accepted);
    };
}

std::function<int(QDialog&)> saveAnswer(const QString& name, bool ok = true)
{
    return [name, ok](QDialog& d) {
        dynamic_cast<CSaveProfileDlg&>(d).nameEdit()->setText(name);
        return int(ok ? QDialog::Accepted : QDialog::Rejected);
    };
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

using Answers = std::vector<std::function<int(QDialog&)>>;
Q_DECLARE_METATYPE(Answers)

class TestProfiles : public QObject
{
    Q_OBJECT
private slots:
    void welcomeChoices_data()
    {
        using W = CWelcomeDlg::Choice;
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<int>("fftSize"); // 0: the start ends
        QTest::addColumn<int>("dialogs");
        QTest::newRow("last used") << Answers{welcomeAnswer(W::LastUsed)} << 2048 << 1;
        QTest::newRow("cancelled") << Answers{} << 0 << 1;
        QTest::newRow("predefined Musiker") << Answers{welcomeAnswer(W::Predefined), standardAnswer(1)} << 4096 << 2;
        QTest::newRow("standard dialog cancelled: welcome again")
            << Answers{welcomeAnswer(W::Predefined), standardAnswer(-1)} << 0 << 3;
        QTest::newRow("own from the list") << Answers{AppFixture::ownProfile(QStringLiteral("Chor"))} << 8192 << 1;
    }
    void welcomeChoices()
    {
        QFETCH(Answers, answers);
        QFETCH(int, fftSize);
        QFETCH(int, dialogs);
        FixtureOptions o;
        o.args = QStringList{QStringLiteral("resoni")};
        o.beforeStart = [&](AppFixture& f) {
            auto write = [](const QString& path, int size, bool fft) {
                ProfileSettings s = AppFixture::baseSettings();
                s.IniDokumentNumFFTPoints = size;
                s.IniFensterFFT = fft;
                AppFixture::writeProfile(path, s);
            };
            write(f.userDir() + QStringLiteral("/ResoniZuletztVerwendetProfil.ini"), 2048, false);
            write(f.shippedDir() + QStringLiteral("/ResoniMusikerProfil.ini"), 4096, true);
            write(f.userDir() + QStringLiteral("/ResoniUserProfil-Chor.ini"), 8192, false);
            for (const auto& a : answers)
                f.dialogs().dialogActions.push_back(a);
        };
        AppFixture f(o);
        QCOMPARE(f.started(), fftSize != 0);
        QCOMPARE(int(f.dialogs().dialogTitles.size()), dialogs);
        QVERIFY(f.dialogs().messages.empty()); // a cancelled start has no message of its own
        if (fftSize != 0) {
            QCOMPARE(f.doc().m_nFFTSize, fftSize);
            QCOMPARE(f.doc().moduleFrame(Module::FFT) != nullptr, fftSize == 4096); // Musiker opens the FFT
        }
    }

    void missingProfileEndsTheStart()
    {
        FixtureOptions o;
        o.args = QStringList{QStringLiteral("resoni"), QStringLiteral("gibtsnicht")};
        AppFixture f(o);
        QVERIFY(!f.started());
        const QString path = f.userDir() + QStringLiteral("/ResoniUserProfil-gibtsnicht.ini");
        QCOMPARE(f.dialogs().messageTexts(),
                 QStringList{QStringLiteral("Dieses Profil exisiert nicht im Unterverzeichnis Profile des Programms. "
                                            "\nBitte sorgen Sie dafür, dass das folgende Inifile im angegebenen "
                                            "Verzeichnis ") +
                             path +
                             QStringLiteral(" liegt.\nDas Programm kann solange leider nicht gestartet werden.\n\n"
                                            "Installieren sie es im Zweifel neu.")});
        QCOMPARE(f.dialogs().messages[0].icon, IUiDialogs::Icon::Critical);
    }

    void saveSwitchAndComeBack()
    {
        AppFixture f;
        QMdiArea* area = f.frame().mdiArea();
        const QSize a = area->size();
        QVERIFY(a.width() > 100 && a.height() > 100);
        f.doc().ToggleModuleWindow(Module::FFT);
        f.doc().ToggleModuleWindow(Module::Sono);
        const QRect fftRect(a.width() / 10, a.height() / 5, a.width() / 2, a.height() / 3);
        const QRect sonoRect(a.width() / 2, a.height() / 2, a.width() / 3, a.height() / 4);
        f.doc().moduleFrame(Module::FFT)->setGeometry(fftRect);
        f.doc().moduleFrame(Module::Sono)->setGeometry(sonoRect);
        f.doc().m_nFFTSize = 512;

        f.dialogs().dialogActions.push_back(saveAnswer(QStringLiteral("Klasse")));
        f.app().OnProfileSave();
        const QString saved = f.userDir() + QStringLiteral("/ResoniUserProfil-Klasse.ini");
        QVERIFY(QFile::exists(saved));
        const ProfileSettings s = AppFixture::readProfile(saved);
        QCOMPARE((std::array{s.IniFensterFFT, s.IniFensterSono, s.IniFensterWavelet, s.IniDokumentNumFFTPoints}),
                 (std::array{1, 1, 0, 512}));

        // To the fixture's profile (no windows) and back.
        f.dialogs().dialogActions.push_back(AppFixture::ownProfile(QStringLiteral("fixture")));
        f.app().OnProfileSelect();
        QVERIFY(!f.doc().moduleFrame(Module::FFT) && !f.doc().moduleFrame(Module::Sono));
        f.dialogs().dialogActions.push_back(AppFixture::ownProfile(QStringLiteral("Klasse")));
        f.app().OnProfileSelect();
        QVERIFY(f.doc().moduleFrame(Module::FFT) && f.doc().moduleFrame(Module::Sono));
        // Percent of the area: each edge may move by up to one percent.
        const int tolX = a.width() / 100 + 1;
        const int tolY = a.height() / 100 + 1;
        for (auto [m, r] : {std::pair{Module::FFT, fftRect}, std::pair{Module::Sono, sonoRect}}) {
            const QRect g = f.doc().moduleFrame(m)->geometry();
            QVERIFY2(std::abs(g.left() - r.left()) <= tolX && std::abs(g.top() - r.top()) <= tolY &&
                         std::abs(g.right() - r.right()) <= tolX && std::abs(g.bottom() - r.bottom()) <= tolY,
                     moduleInfo(m).frameClass);
        }
    }

    void savingOverAnExistingProfileAsksFirst()
    {
        AppFixture f;
        const QString path = f.userDir() + QStringLiteral("/ResoniUserProfil-fixture.ini");
        const QByteArray before = readAll(path);
        f.doc().m_nFFTSize = 16384;
        f.dialogs().dialogActions.push_back(saveAnswer(QStringLiteral("fixture")));
        f.dialogs().answers.push_back(IUiDialogs::Answer::Cancel);
        f.app().OnProfileSave();
        QCOMPARE(f.dialogs().messageTexts(),
                 QStringList{QStringLiteral("Dieses Profil exisiert bereits\nWollen Sie es überschreiben ?")});
        QCOMPARE(f.dialogs().messages[0].buttons, IUiDialogs::Buttons::OkCancel);
        QCOMPARE(readAll(path), before); // untouched

        f.dialogs().dialogActions.push_back(saveAnswer(QStringLiteral("fixture")));
        f.dialogs().answers.push_back(IUiDialogs::Answer::Ok);
        f.app().OnProfileSave();
        QCOMPARE(AppFixture::readProfile(path).IniDokumentNumFFTPoints, 16384);
    }

    void saveRefusesAnEmptyOrPathName()
    {
        AppFixture f;
        for (const char* bad : {"", "  ", "../boese", "a\\b"}) {
            f.dialogs().messages.clear();
            f.dialogs().dialogActions.push_back(saveAnswer(QString::fromUtf8(bad)));
            f.app().OnProfileSave();
            QCOMPARE(f.dialogs().messageTexts(), QStringList{CResoniApp::kInvalidProfileName});
        }
        QCOMPARE(QDir(f.userDir()).entryList(QDir::Files), QStringList{QStringLiteral("ResoniUserProfil-fixture.ini")});
    }

    void lastUsedProfileIsWrittenAtTheEnd()
    {
        AppFixture f;
        f.doc().m_nFFTSize = 256;
        f.doc().ToggleModuleWindow(Module::Wavelet);
        f.frame().close(); // the window stays marked open for the next start
        f.app().ExitInstance(0);
        const ProfileSettings s = AppFixture::readProfile(f.userDir() + QStringLiteral("/ResoniZuletztVerwendetProfil.ini"));
        QCOMPARE(s.IniDokumentNumFFTPoints, 256);
        QCOMPARE(s.IniFensterWavelet, 1);
        QCOMPARE(s.IniDokumentPlayFile, std::string("Kein File ausgewählt."));
    }

    void switchingLoadsTheProfilesLastFile()
    {
        AppFixture f;
        // A small mono file, and an own profile whose last file it is.
        const QString wave = testwaves::writeWave(f.tempDir() + QStringLiteral("/profil.wav"), 1, 8000, 8, {128, 200, 60});
        ProfileSettings s = AppFixture::baseSettings();
        s.IniDokumentPlayFile = wave.toStdString();
        AppFixture::writeProfile(f.userDir() + QStringLiteral("/ResoniUserProfil-mitDatei.ini"), s);

        f.dialogs().dialogActions.push_back(AppFixture::ownProfile(QStringLiteral("mitDatei")));
        f.app().OnProfileSelect();
        QVERIFY(g_bWaveLoaded);
        QCOMPARE(f.doc().waveFileName(), wave);
        QCOMPARE(f.doc().m_nWaveDataBytes, std::size_t{3});

        // Back to a profile without a file: the loaded one is closed.
        f.dialogs().dialogActions.push_back(AppFixture::ownProfile(QStringLiteral("fixture")));
        f.app().OnProfileSelect();
        QVERIFY(!g_bWaveLoaded);
        QCOMPARE(f.doc().waveFileName(), QStringLiteral("Kein File ausgewählt."));
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
