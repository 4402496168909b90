// The commands that reach the active view: "Fenster speichern..." and "&Kopieren" act on the
// active window only (its title, filters and picture title), the filter chosen decides the
// content, the analysis picture is empty before a run, the FFT view's screen colours survive a
// copy, the waveform view prints a page with its curve (to PDF, read back by pdftoppm), and F1
// opens the active view's help page.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/app/ModuleChildFrame.h"
#include "gui/app/ViewCommands.h"
#include "gui/document/DocView.h"
#include "gui/document/GlobalFlags.h"
#include "gui/presentation/HelpWindow.h"
#include "gui/waveform/ResoniView.h"
#include "gui/waveform/SplitterFrame.h"

#include <QClipboard>
#include <QFile>
#include <QMdiArea>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

namespace {

// The record types of an enhanced metafile, after checking its header's signature.
std::vector<quint32> EmfRecordTypes(const QByteArray& d)
{
    std::vector<quint32> types;
    if (d.size() < 88 || d.mid(40, 4) != QByteArray(" EMF"))
        return types;
    for (qsizetype at = 0; at + 8 <= d.size();) {
        quint32 type = 0, size = 0;
        std::memcpy(&type, d.constData() + at, 4);
        std::memcpy(&size, d.constData() + at + 4, 4);
        types.push_back(type);
        if (size < 8)
            break;
        at += size;
    }
    return types;
}

QByteArray Utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestViewCommands : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    void activate(AppFixture& f, Module m)
    {
        if (!f.doc().moduleFrame(m))
            f.doc().ToggleModuleWindow(m);
        f.frame().mdiArea()->setActiveSubWindow(f.doc().moduleFrame(m));
        f.frame().UpdateCommandUI();
    }

private slots:
    void init() { ResetGlobalFlags(); }

    void saveAndCopyActOnTheActiveWindowOnly()
    {
        AppFixture f;
        f.doc().OpenWaveFile(testwaves::writeTone(m_dir.filePath(QStringLiteral("t.wav")), 440.0));
        f.doc().OnSelectionChanged(0, 8192);
        for (Module m : {Module::FFT, Module::Zeitreihe, Module::Analyse})
            activate(f, m);
        activate(f, Module::Zeitreihe);
        const QString wmf = m_dir.filePath(QStringLiteral("z"));
        f.run(CommandId::FileSaveWindow, wmf);
        QCOMPARE(f.dialogs().fileDialogs.back().title, QStringLiteral("Speichert Zeitreihe..."));
        QCOMPARE(f.dialogs().fileDialogs.back().filters.value(0).text, QStringLiteral("WMF - Enhanced Metafile"));
        const QByteArray emf = ReadAll(wmf + QStringLiteral(".wmf"));
        const std::vector<quint32> types = EmfRecordTypes(emf);
        QVERIFY(types.size() > 3 && types.front() == 1 && types.back() == 14); // header ... EOF
        QVERIFY(emf.contains(Utf16(QStringLiteral("RESONI Soundanalyse")) + QByteArray(2, '\0') +
                             Utf16(QStringLiteral("Zeitreihe Abbild"))));
        // The PNG filter writes PNG, whatever the typed name says.
        f.dialogs().filterChoices.push_back(2);
        f.run(CommandId::FileSaveWindow, m_dir.filePath(QStringLiteral("p.wmf")));
        QVERIFY(ReadAll(m_dir.filePath(QStringLiteral("p.wmf"))).startsWith("\x89PNG"));

        // The analysis window before any run: a valid picture with nothing drawn in it.
        activate(f, Module::Analyse);
        f.run(CommandId::FileSaveWindow, m_dir.filePath(QStringLiteral("a.wmf")));
        const QByteArray empty = ReadAll(m_dir.filePath(QStringLiteral("a.wmf")));
        QVERIFY(empty.contains(Utf16(QStringLiteral("Analyse Abbild"))));
        for (quint32 t : EmfRecordTypes(empty))
            QVERIFY2(t != 84 && t != 87 && t != 4 && t != 90, qPrintable(QString::number(t))); // no text, no lines

        // Copying the FFT view: three formats, and the screen keeps its colours.
        activate(f, Module::FFT);
        CDocView* fft = f.doc().moduleFrame(Module::FFT)->view();
        const QImage before = fft->grab().toImage();
        f.run(CommandId::EditCopy);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QVERIFY(EmfRecordTypes(data->data(QStringLiteral("image/x-emf"))).size() > 3);
        QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
        QVERIFY(data->hasImage());
        QCOMPARE(fft->grab().toImage(), before);
        QCOMPARE(int(f.dialogs().fileDialogs.size()), 3); // the copy asked nothing
    }

    void waveformViewPrintsAPageWithItsCurve()
    {
        AppFixture f;
        f.doc().OpenWaveFile(testwaves::writeTone(m_dir.filePath(QStringLiteral("w.wav")), 50.0));
        f.frame().mdiArea()->setActiveSubWindow(f.doc().m_pWaveFrame);
        f.frame().UpdateCommandUI();
        f.doc().m_pWaveFrame->waveView()->SetRange(0, 100, 100); // the whole file, as the overview hands it over
        QVERIFY(f.frame().action(CommandId::FilePrint)->isEnabled());
        const QString pdf = m_dir.filePath(QStringLiteral("seite.pdf"));
        f.dialogs().dialogActions.push_back([&pdf](QDialog& d) {
            QPrinter* printer = static_cast<QPrintDialog&>(d).printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return int(QDialog::Accepted);
        });
        f.run(CommandId::FilePrint);
        QProcess p;
        p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                                             QStringLiteral("-singlefile"), pdf, m_dir.filePath(QStringLiteral("seite"))});
        QVERIFY(p.waitForFinished(30000) && p.exitCode() == 0);
        const QImage page(m_dir.filePath(QStringLiteral("seite.png")));
        QVERIFY(!page.isNull());
        int red = 0; // the waveform's curve is red
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                red += qRed(page.pixel(x, y)) > 180 && qGreen(page.pixel(x, y)) < 80 && qBlue(page.pixel(x, y)) < 80;
        QVERIFY2(red > 200, qPrintable(QString::number(red)));
        // Printing belongs to the waveform view alone.
        activate(f, Module::FFT);
        QVERIFY(!f.frame().action(CommandId::FilePrint)->isEnabled());
    }

    void f1OpensTheActiveViewsPage()
    {
        AppFixture f;
        const std::pair<Module, QString> pages[] = {
            {Module::Sono, QStringLiteral("html/Sonogrammdarstellung.html")},
            {Module::Notenbild, QStringLiteral("html/NotenbildundObertonspektrum.html")},
            {Module::Zeitreihe, QStringLiteral("html/Zeitreihendarstellung.html")},
            {Module::Analyse, QStringLiteral("html/Zeitreihenanalysefenster.html")},
            {Module::FFT, QStringLiteral("html/FFTDarstellung.html")},
            {Module::Wavelet, QStringLiteral("html/Waveletanalyse.html")}};
        for (const auto& [module, page] : pages) {
            activate(f, module);
            f.frame().viewCommands().HelpKey(); // F1
            QVERIFY(f.frame().viewCommands().helpWindow());
            QCOMPARE(f.frame().viewCommands().helpWindow()->currentPage(), page);
        }
        f.run(CommandId::HelpFinder); // the menu entry: the contents
        QCOMPARE(f.frame().viewCommands().helpWindow()->currentPage(), QStringLiteral("html/Vorwort.html"));
    }
};

QTEST_MAIN(TestViewCommands)
#include "tst_viewcommands.moc"
