// The help: every page is well-formed and every link, picture, contents entry and index keyword
// leads to an existing page and anchor; the window opens topics, goes back and forward, finds
// words and says so when a page is missing; the help folder is found beside the program.
#include "gui/presentation/HelpContents.h"
#include "gui/presentation/HelpDirectory.h"
#include "gui/presentation/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>
#include <set>

namespace {

const QString kHelp = QStringLiteral(RESONI_HELP_SOURCE_DIR);

struct PageLinks
{
    std::set<QString> anchors;   // name= and id= values
    std::vector<QString> links;  // href= and src= values
};

// Reads a page as XML (so an unclosed or misnested tag fails) and collects its anchors and links.
PageLinks ReadPage(const QString& path)
{
    PageLinks page;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "cannot open" << path;
        return page;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        for (const QXmlStreamAttribute& a : xml.attributes()) {
            if (a.name() == QLatin1String("name") || a.name() == QLatin1String("id"))
                page.anchors.insert(a.value().toString());
            if (a.name() == QLatin1String("href") || a.name() == QLatin1String("src"))
                page.links.push_back(a.value().toString());
        }
    }
    if (xml.hasError())
        qWarning() << path << "line" << xml.lineNumber() << xml.errorString();
    return xml.hasError() ? PageLinks{{QStringLiteral("<error>")}, {}} : page;
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void everyLinkEntryAndKeywordResolves()
    {
        std::map<QString, PageLinks> pages; // "html/X.html" → its anchors and links
        for (const QString& name : QDir(kHelp + QStringLiteral("/html")).entryList({QStringLiteral("*.html")}))
            pages[QStringLiteral("html/") + name] = ReadPage(kHelp + QStringLiteral("/html/") + name);
        QVERIFY(pages.size() >= 11);
        const auto resolves = [&](const QString& target) {
            const QString page = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            if (!pages.count(page))
                return QFileInfo::exists(kHelp + QLatin1Char('/') + page) && anchor.isEmpty();
            return anchor.isEmpty() || pages[page].anchors.count(anchor) > 0;
        };
        for (const auto& [path, page] : pages) {
            QVERIFY2(!page.anchors.count(QStringLiteral("<error>")), qPrintable(path + " is not well-formed"));
            for (const QString& link : page.links) {
                if (link.startsWith(QLatin1String("http")))
                    continue;
                const QString file = link.section(QLatin1Char('#'), 0, 0);
                const QString target = (file.isEmpty() ? path : QDir::cleanPath(QStringLiteral("html/") + file)) +
                                       (link.contains(QLatin1Char('#')) ? QLatin1Char('#') + link.section(QLatin1Char('#'), 1)
                                                                        : QString());
                QVERIFY2(resolves(target), qPrintable(path + " links to " + link));
            }
        }
        CHelpContents contents;
        QString error;
        QVERIFY2(contents.Load(kHelp, &error), qPrintable(error));
        QVERIFY(contents.contents().size() >= 11);
        QVERIFY(contents.index().size() >= 20);
        std::set<QString> inTree;
        for (const HelpEntry& entry : contents.contents()) {
            if (entry.target.isEmpty())
                continue; // a heading
            QVERIFY2(resolves(entry.target), qPrintable(entry.title + " → " + entry.target));
            inTree.insert(entry.target.section(QLatin1Char('#'), 0, 0));
        }
        for (const HelpEntry& entry : contents.index())
            QVERIFY2(resolves(entry.target), qPrintable(entry.title + " → " + entry.target));
        for (const auto& [path, page] : pages)
            QVERIFY2(inTree.count(path), qPrintable(path + " is missing from the contents"));
    }

    void topicsHistorySearchAndMissingPage()
    {
        CHelpWindow help(kHelp);
        help.ShowTopic(QStringLiteral("html/Sonogrammdarstellung.html"));
        QVERIFY(help.isVisible());
        QCOMPARE(help.currentPage(), QStringLiteral("html/Sonogrammdarstellung.html"));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Farbig1")));

        help.ShowIndex();
        QCOMPARE(help.windowTitle(), QStringLiteral("Resoni Hilfeindex"));
        QCOMPARE(help.currentPage(), QStringLiteral("html/Vorwort.html"));
        QCOMPARE(help.sidePanel()->currentIndex(), 1);
        auto* back = help.findChild<QPushButton*>(QStringLiteral("back"));
        auto* forward = help.findChild<QPushButton*>(QStringLiteral("forward"));
        QVERIFY(back->isEnabled() && !forward->isEnabled());
        back->click();
        QCOMPARE(help.currentPage(), QStringLiteral("html/Sonogrammdarstellung.html"));
        QVERIFY(forward->isEnabled());
        forward->click();
        QCOMPARE(help.currentPage(), QStringLiteral("html/Vorwort.html"));

        // The index filter keeps the matching keywords; choosing one opens its page.
        auto* filter = help.findChild<QLineEdit*>(QStringLiteral("indexFilter"));
        auto* index = help.findChild<QListWidget*>(QStringLiteral("indexList"));
        filter->setText(QStringLiteral("korrelationsdim"));
        QVERIFY(index->count() >= 1);
        for (int i = 0; i < index->count(); ++i)
            QVERIFY(index->item(i)->text().contains(QStringLiteral("Korrelationsdim"), Qt::CaseInsensitive));
        emit index->itemActivated(index->item(0));
        QCOMPARE(help.currentPage(), QStringLiteral("html/Zeitreihenanalysefenster.html"));

        help.ShowContents();
        auto* field = help.findChild<QLineEdit*>(QStringLiteral("searchField"));
        auto* results = help.findChild<QListWidget*>(QStringLiteral("searchResults"));
        field->setText(QStringLiteral("lyapunov"));
        help.findChild<QPushButton*>(QStringLiteral("searchButton"))->click();
        QStringList found;
        for (int i = 0; i < results->count(); ++i)
            found << results->item(i)->data(Qt::UserRole).toString();
        QVERIFY2(found.contains(QStringLiteral("html/Zeitreihenanalysefenster.html")), qPrintable(found.join(' ')));
        QVERIFY(!found.contains(QStringLiteral("html/Sonogrammdarstellung.html")));
        emit results->itemActivated(results->item(int(found.indexOf(QStringLiteral("html/Zeitreihenanalysefenster.html")))));
        QCOMPARE(help.browser()->textCursor().selectedText().toLower(), QStringLiteral("lyapunov"));

        help.ShowTopic(QStringLiteral("html/GibtEsNicht.html"));
        QCOMPARE(help.currentPage(), QStringLiteral("html/GibtEsNicht.html"));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Die Hilfeseite „html/GibtEsNicht.html“ wurde nicht gefunden")));

        CHelpWindow nowhere{QString()};
        nowhere.ShowContents();
        QVERIFY(nowhere.browser()->toPlainText().contains(QStringLiteral("wurde nicht gefunden (gesucht in ")));
    }

    void helpFolderBesideTheProgramOrInstalled()
    {
        // The build copies the pages beside the program.
        const QString program = QStringLiteral(RESONI_PROGRAM_DIR);
        QCOMPARE(HelpDirectoryBeside(program), QDir::cleanPath(program + QStringLiteral("/help")));
        QVERIFY(QFile::exists(program + QStringLiteral("/help/html/Vorwort.html")));
        // An installation: bin/resoni with share/resoni/help beside bin.
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(HelpDirectoryBeside(root.path() + QStringLiteral("/bin")).isEmpty());
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("share/resoni/help")));
        QFile table(root.path() + QStringLiteral("/share/resoni/help/inhalt.txt"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.close();
        QCOMPARE(HelpDirectoryBeside(root.path() + QStringLiteral("/bin")), root.path() + QStringLiteral("/share/resoni/help"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
