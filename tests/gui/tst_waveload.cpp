// Loading WAV files and text series into the document through the program's commands: the
// dialogs, the channel choice, the messages of refused files, the status bar, the hints, and
// the profile's last file at start-up.
#include "support/AppFixture.h"
#include "support/HintRecorder.h"
#include "support/TestWaves.h"

#include "gui/app/QtUiDialogs.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/StereoDlg.h"
#include "gui/document/UpdateHints.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstring>

using testwaves::bytes16;
using testwaves::writeWave;

namespace {

std::vector<std::int16_t> docSamples16(const CResoniDoc& d)
{
    std::vector<std::int16_t> out(d.m_nWaveDataBytes / 2);
    std::memcpy(out.data(), d.m_pWaveData.get(), out.size() * 2);
    return out;
}

QString writeText(const QString& path, const QByteArray& text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(text);
    return path;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kNoFile = QStringLiteral("Kein File ausgewählt.");
const QString kReadFailed = QStringLiteral("Read in AbbildArray failed. IN: DOC.");

} // namespace

class TestWaveLoad : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const char* name) const { return m_dir.path() + QLatin1Char('/') + QString::fromUtf8(name); }

private slots:
    void init() { ResetGlobalFlags(); }

    void openWaveLoadsMono()
    {
        const QString path = writeWave(file("mono.wav"), 1, 22050, 16, bytes16({100, -200, 300, -400}));
        AppFixture f;
        HintRecorder rec(f.doc());
        f.run(CommandId::FileOpenWave, path);
        QCOMPARE(f.dialogs().fileDialogs.at(0).title, QStringLiteral("Bitte Musikstück auswählen"));
        // What Qt's dialog receives: each pattern once, and "Alle Dateien" also without a dot.
        QCOMPARE(CQtUiDialogs::filterString(f.dialogs().fileDialogs.at(0).filters),
                 QStringLiteral("WAV - Standardwavefiles (*.wav);;Alle Audiodateien (*.wav *.flac *.ogg *.oga *.aif "
                                "*.aiff *.aifc *.w64);;Alle Dateien (*)"));
        QVERIFY(f.dialogs().dialogTitles.isEmpty()); // a mono file needs no channel choice
        CResoniDoc& d = f.doc();
        QVERIFY(g_bWaveLoaded && !g_bPlayCopyResampled);
        QCOMPARE(docSamples16(d), (std::vector<std::int16_t>{100, -200, 300, -400}));
        QCOMPARE(d.m_nSampleRate, 22050u);
        QCOMPARE(d.m_dFullScale, 32767.0);
        QVERIFY(d.m_arSeries.empty());
        QCOMPARE(d.m_pPlayBuffer->GetBufferSize(), std::size_t{8});
        QCOMPARE(rec.hints.back(), UpdateHint::kRefresh);
        QCOMPARE(f.paneTexts({1, 2, 3}), (QStringList{"File: mono.wav", "Mono: 16-Bit", "22 kHz"}));
        QVERIFY(f.dialogs().messages.empty());

        // Opening another file removes the first one first.
        HintRecorder second(d);
        f.run(CommandId::FileOpenWave, writeWave(file("flöte.wav"), 1, 11025, 8, {1, 2, 3}));
        QCOMPARE(second.hints.front(), UpdateHint::kPlaybackStopped);
        QCOMPARE(d.m_nWaveDataBytes, std::size_t{3});
        QCOMPARE(f.paneTexts({1, 2, 3}), (QStringList{"File: flöte.wav", "Mono: 8-Bit", "11 kHz"}));
    }

    void extensiblePcmLoadsLikePcm()
    {
        // What many recorders write: format tag 0xFFFE with the PCM sub-format in a 40-byte record.
        const QByteArray fmt = QByteArray::fromHex("feff0100401f0000803e0000020010001600100004000000"
                                                   "0100000000001000800000aa00389b71");
        const QByteArray data = QByteArray::fromHex("6400 38ff 2c01 70fe");
        auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
        const QByteArray bytes = "RIFF" + le32(4 + 8 + 40 + 8 + 8) + "WAVEfmt " + le32(40) + fmt + "data" +
                                 le32(8) + data;
        const QString path = writeText(file("extensible.wav"), bytes);
        AppFixture f;
        f.run(CommandId::FileOpenWave, path);
        QVERIFY(f.dialogs().messages.empty() && g_bWaveLoaded);
        QCOMPARE(docSamples16(f.doc()), (std::vector<std::int16_t>{100, -200, 300, -400}));
        QCOMPARE(f.doc().m_nSampleRate, 8000u);
        QCOMPARE(f.doc().m_pPlayBuffer->GetBufferSize(), std::size_t{8});
    }

    void stereoFileOffersTheChannelDialog_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("chooseLeft");
        QTest::addColumn<std::vector<std::int16_t>>("expected"); // empty: nothing loaded
        QTest::addColumn<QString>("hint");
        const QString stereo = QStringLiteral("Hinweis: Dies ist ein Stereo-File.");
        QTest::newRow("Links") << 16 << true << std::vector<std::int16_t>{1, 2, 3} << stereo;
        QTest::newRow("Rechts") << 16 << false << std::vector<std::int16_t>{-1, -2, -3} << stereo;
    }
    void stereoFileOffersTheChannelDialog()
    {
        QFETCH(int, bits);
        QFETCH(bool, chooseLeft);
        QFETCH(std::vector<std::int16_t>, expected);
        QFETCH(QString, hint);
        const QString path = bits == 16 ? writeWave(file("stereo.wav"), 2, 44100, 16, bytes16({1, -1, 2, -2, 3, -3}))
                                        : writeWave(file("stereo24.wav"), 2, 44100, 24, std::vector<std::uint8_t>(60, 1));
        AppFixture f;
        QString shown;
        bool leftFirst = false, okEnabled = false;
        f.dialogs().dialogActions.push_back([&](QDialog& dialog) {
            auto& dlg = dynamic_cast<CStereoDlg&>(dialog);
            shown = dlg.findChild<QLabel*>(QStringLiteral("hint"))->text();
            okEnabled = dlg.okButton()->isEnabled();
            leftFirst = dlg.leftButton()->isChecked() && dlg.rightButton()->isEnabled();
            (chooseLeft ? dlg.leftButton() : dlg.rightButton())->setChecked(true);
            return int(okEnabled ? QDialog::Accepted : QDialog::Rejected);
        });
        f.run(CommandId::FileOpenWave, path);
        QVERIFY2(shown.startsWith(hint), qPrintable(shown));
        QVERIFY(f.dialogs().messages.empty());
        QCOMPARE(g_bWaveLoaded, !expected.empty());
        QCOMPARE(okEnabled, !expected.empty());
        if (expected.empty())
            return;
        QVERIFY(leftFirst);
        CResoniDoc& d = f.doc();
        QCOMPARE(docSamples16(d), expected);
        QCOMPARE(d.m_nStereoChannel, chooseLeft ? 1 : 0);
        QCOMPARE(d.m_strChannels, std::string("Mono"));
        // Playback runs from the mono copy.
        QCOMPARE(d.m_pPlayBuffer->GetFormat().nChannels, std::uint16_t{1});
        QCOMPARE(d.m_pPlayBuffer->GetBufferSize(), std::size_t{6});
        QCOMPARE(f.frame().paneText(1), QStringLiteral("File: stereo.wav"));
    }

    void refusedLoadsShowTheirMessageAndNoFile_data()
    {
        QTest::addColumn<QString>("path");    // empty: the file dialog is cancelled
        QTest::addColumn<QString>("message"); // empty: refused without a message
        QTest::addColumn<bool>("hintSent");   // a file that could not even be read sends none
        QTest::newRow("cancelled") << QString() << QString() << false;
        QTest::newRow("no RIFF at all") << writeText(file("text.wav"), "das ist keine Wavedatei")
                                        << QStringLiteral("Die Datei \"text.wav\" kann nicht als Audiodatei gelesen "
                                                          "werden.\nFormat not recognised.") << false;
        QTest::newRow("missing file") << file("fehlt.wav") << kReadFailed << false;
        QTest::newRow("empty data") << writeWave(file("empty.wav"), 1, 44100, 16, {})
                                    << QStringLiteral("Wavefile ist leer.") << true;
        QTest::newRow("unlisted rate above 48000") << writeWave(file("r50000.wav"), 1, 50000, 16, bytes16({1, 2}))
                                                   << QString() << true;
    }
    void refusedLoadsShowTheirMessageAndNoFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        QFETCH(bool, hintSent);
        AppFixture f;
        f.doc().m_arSeries.assign(3, 5.0);
        HintRecorder rec(f.doc());
        f.run(CommandId::FileOpenWave, path);
        QVERIFY(!g_bWaveLoaded);
        QCOMPARE(f.doc().waveFileName(), kNoFile);
        QVERIFY(!f.doc().m_pWaveData);
        QCOMPARE(f.frame().paneText(1), QStringLiteral("File: Kein File ausgewählt."));
        QCOMPARE(f.dialogs().messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(!rec.hints.empty() && rec.hints.back() == UpdateHint::kRefresh, hintSent);
        QCOMPARE(f.doc().m_arSeries, std::vector<double>{0.0});
        QVERIFY(QGuiApplication::overrideCursor() == nullptr); // the wait cursor is gone
    }

    // A stereo 24-bit FLAC at 96 kHz written by sox (left 1000 Hz, right 3000 Hz), opened through
    // the file dialog with "Rechts": 16 bits at 96 kHz, the conversion in the prompt pane and the
    // title, and the spectrum of a selection peaks at 3000 Hz (bin 256 of 8192 at 96 kHz).
    void flacOpensConvertedWithItsChannel()
    {
        const QString path = file("tone.flac");
        QCOMPARE(QProcess::execute(QStringLiteral("sox"), {"-D", "-r", "96000", "-c", "2", "-n", "-b", "24", path, "synth",
                                                          "0.2", "sine", "1000", "sine", "3000", "vol", "0.5"}), 0);
        AppFixture f;
        f.doc().ToggleModuleWindow(Module::FFT);
        f.dialogs().dialogActions.push_back([](QDialog& dialog) {
            dynamic_cast<CStereoDlg&>(dialog).rightButton()->setChecked(true);
            return int(QDialog::Accepted);
        });
        f.run(CommandId::FileOpenWave, path);
        QVERIFY(g_bWaveLoaded && f.dialogs().messages.empty());
        const QString conversion = QStringLiteral("FLAC 24-Bit 96 kHz → 16-Bit 96 kHz");
        QCOMPARE(f.paneTexts({0, 1, 2, 3}), QStringList({conversion + QStringLiteral(", nicht übersteuert"),
                                                          "File: tone.flac", "Mono: 16-Bit", "96 kHz"}));
        QCOMPARE(f.frame().windowTitle(), QStringLiteral("Soundanalyse [%1]").arg(conversion));
        QCOMPARE(f.doc().m_nPlayRate, 48000u);
        f.doc().OnSelectionChanged(1000, 1000 + 8192);
        const auto& spectrum = f.doc().m_arSpectrum;
        QCOMPARE(std::max_element(spectrum.begin() + 1, spectrum.end()) - spectrum.begin(), 256);
        f.doc().RemoveWave();
        QCOMPARE(f.paneTexts({0}), QStringList({"Bereit"}));
    }

    void fastFilePlaysFromTheDownsampledCopy()
    {
        // 8-bit at 96000 Hz: the analysis keeps the file's rate and samples.
        const QString path = writeWave(file("fast8.wav"), 1, 96000, 8, {10, 13, 200, 201, 7, 8});
        AppFixture f;
        f.run(CommandId::FileOpenWave, path);
        CResoniDoc& d = f.doc();
        QVERIFY(g_bWaveLoaded && g_bPlayCopyResampled);
        QCOMPARE(std::tuple(d.m_nSampleRate, d.m_nWaveDataBytes, d.m_nPlayRate, d.m_nPlayDataBytes),
                 std::tuple(96000u, std::size_t{6}, 48000u, std::size_t{3}));
        QCOMPARE(f.frame().paneText(3), QStringLiteral("96 kHz"));
        const auto buffer = d.m_pPlayBuffer->GetBuffer(0);
        QCOMPARE(std::vector<std::uint8_t>(buffer.begin(), buffer.end()), (std::vector<std::uint8_t>{11, 200, 7}));
        f.run(CommandId::RemoveWave); // forgets the converted copy again
        QVERIFY(!g_bPlayCopyResampled && !d.m_pPlayBuffer);
    }

    void importTimeSeries_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<std::vector<std::int16_t>>("expected"); // empty: nothing loaded
        QTest::addColumn<QString>("message");
        QTest::newRow("non-negative is centred") << QByteArray("1\n2\n3\n4\n")
                                                 << std::vector<std::int16_t>{-16384, 0, 16384, 32767} << QString();
        QTest::newRow("signed keeps its zero")
            << QByteArray("-2 1") << std::vector<std::int16_t>{-32768, 16384} << QString();
        QTest::newRow("only the # entry is skipped")
            << QByteArray("# abc 3\n") << std::vector<std::int16_t>{-32768, 32767} << QString();
        QTest::newRow("all zero is a zero line")
            << QByteArray("0 0.0 -0") << std::vector<std::int16_t>{0, 0, 0}
            << QStringLiteral("Die Zeitreihe enthält nur Nullen.\nSie wird als Nulllinie (alle Werte 0) geladen.");
        QTest::newRow("no numbers") << QByteArray("#Kommentar\n#\n") << std::vector<std::int16_t>{}
                                    << QStringLiteral("Wavefile ist leer.");
    }
    void importTimeSeries()
    {
        QFETCH(QByteArray, text);
        QFETCH(std::vector<std::int16_t>, expected);
        QFETCH(QString, message);
        const QString path = writeText(file("reihe.dat"), text);
        AppFixture f;
        HintRecorder rec(f.doc());
        f.run(CommandId::FileOpenSeries, path);
        const RecordedFileDialog& dlg = f.dialogs().fileDialogs.at(0);
        QCOMPARE(dlg.title, QStringLiteral("1-spaltiges Zeitreihenfile auswählen"));
        QCOMPARE(CQtUiDialogs::filterString(dlg.filters),
                 QStringLiteral("TXT - Textfiles mit 1 Spalte (*.txt);;PRN - Mathcadexportfiles mit 1 Spalte (*.prn);;"
                                "DAT - Datenfiles mit 1 Spalte (*.dat);;Alle Dateien (*)"));
        QCOMPARE(dlg.filters[dlg.selectedFilter].patterns, QStringLiteral("*.dat"));
        QCOMPARE(f.dialogs().messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        CResoniDoc& d = f.doc();
        QCOMPARE(g_bWaveLoaded, !expected.empty());
        if (expected.empty()) {
            QCOMPARE(d.waveFileName(), kNoFile);
            QCOMPARE(d.m_arSeries, std::vector<double>{0.0});
            return;
        }
        QVERIFY(g_bPlayCopyResampled);
        QCOMPARE(docSamples16(d), expected);
        QCOMPARE(d.m_nSampleRate, 44100u);
        QCOMPARE(d.waveFileName(), path); // the series keeps its own name
        QCOMPARE(f.frame().paneText(1), QStringLiteral("File: reihe.dat"));
        QCOMPARE(rec.hints.back(), UpdateHint::kRefresh);
    }

    void workingCopiesStayInTheDocumentsOwnFolder()
    {
        AppFixture f;
        // Another program's file of the same name in the shared temporary folder stays untouched.
        const QString shared = writeWave(f.tempDir() + QStringLiteral("/~TempWave.wav"), 1, 8000, 16, bytes16({9, 9}));
        const QByteArray before = readAll(shared);
        f.run(CommandId::FileOpenSeries, writeText(file("reihe2.dat"), "1\n2\n3\n4\n"));
        QCOMPARE(docSamples16(f.doc()), (std::vector<std::int16_t>{-16384, 0, 16384, 32767}));
        const QFileInfo own(QString::fromStdString(f.doc().TempDir()));
        QCOMPARE(own.absolutePath(), QFileInfo(f.tempDir()).absoluteFilePath());
        QVERIFY(own.fileName().startsWith(QStringLiteral("resoni-")));
        QCOMPARE(own.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                                       QFile::WriteUser | QFile::ExeUser),
                 QFile::Permissions());
        QVERIFY(QFile::exists(own.absoluteFilePath() + QStringLiteral("/~TempWave.wav")));
        QCOMPARE(readAll(shared), before);
    }

    void startUpLoadsTheProfilesLastFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("there") << true;
        QTest::newRow("vanished: says so and goes on") << false;
    }
    void startUpLoadsTheProfilesLastFile()
    {
        QFETCH(bool, exists);
        const QString path = exists ? writeWave(file("zuletzt.wav"), 1, 32000, 16, bytes16({7, 8, 9}))
                                    : file("gibtsnicht.wav");
        FixtureOptions options;
        options.prepare = [&](ProfileSettings& s) { s.IniDokumentPlayFile = path.toStdString(); };
        AppFixture f(options);
        QVERIFY(f.started());
        QCOMPARE(g_bWaveLoaded, exists);
        if (exists) {
            QCOMPARE(docSamples16(f.doc()), (std::vector<std::int16_t>{7, 8, 9}));
            QCOMPARE(f.frame().paneText(1), QStringLiteral("File: zuletzt.wav"));
        } else {
            QCOMPARE(f.dialogs().messageTexts(), QStringList{kReadFailed});
            QCOMPARE(f.doc().waveFileName(), kNoFile);
        }
    }
};

QTEST_MAIN(TestWaveLoad)
#include "tst_waveload.moc"
