// The help: every page is well-formed and every link, contents entry and index keyword leads to
// an existing page and anchor; the window opens topics, goes back and forward, filters the index,
// finds words and says so when a page is missing; the help folder is found beside the program.
#include "gui/presentation/HelpContents.h"
#include "gui/presentation/HelpDirectory.h"
#include "gui/presentation/HelpWindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>
#include <set>

namespace {

const QString kHelp = QStringLiteral(RESONI_HELP_SOURCE_DIR);
using Page = std::pair<std::set<QString>, QStringList>; // its anchors (name=, id=) and links (href=, src=)

// "html/X.html#a" for a link written on the page path (relative to html/).
QString Target(const QString& path, const QString& link)
{
    const QString file = link.section(QLatin1Char('#'), 0, 0);
    return (file.isEmpty() ? path : QDir::cleanPath(QStringLiteral("html/") + file)) +
           (link.contains(QLatin1Char('#')) ? QLatin1Char('#') + link.section(QLatin1Char('#'), 1) : QString());
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void everyLinkEntryAndKeywordResolves()
    {
        std::map<QString, Page> pages;
        for (const QString& name : QDir(kHelp + QStringLiteral("/html")).entryList({QStringLiteral("*.html")})) {
            QFile file(kHelp + QStringLiteral("/html/") + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&file); // read as XML, so an unclosed or misnested tag fails
            Page& page = pages[QStringLiteral("html/") + name];
            while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
                for (const QXmlStreamAttribute& a : xml.attributes()) {
                    if (a.name() == QLatin1String("name") || a.name() == QLatin1String("id"))
                        page.first.insert(a.value().toString());
                    if (a.name() == QLatin1String("href") || a.name() == QLatin1String("src"))
                        page.second << a.value().toString();
                }
            QVERIFY2(!xml.hasError(), qPrintable(name + ": " + xml.errorString() + " line " + QString::number(xml.lineNumber())));
        }
        QCOMPARE(pages.size(), size_t(12));
        const auto resolves = [&](const QString& target) {
            if (!target.endsWith(QLatin1String(".html")) && !target.contains(QLatin1Char('#')))
                return QFileInfo(kHelp + QLatin1Char('/') + target).isFile(); // the style sheet
            const auto page = pages.find(target.section(QLatin1Char('#'), 0, 0));
            const QString anchor = target.section(QLatin1Char('#'), 1);
            return page != pages.end() && (anchor.isEmpty() || page->second.first.count(anchor));
        };
        for (const auto& [path, page] : pages)
            for (const QString& link : page.second)
                QVERIFY2(link.startsWith(QLatin1String("http")) || resolves(Target(path, link)),
                         qPrintable(path + " links to " + link));
        CHelpContents contents;
        QString error;
        QVERIFY2(contents.Load(kHelp, &error), qPrintable(error));
        QVERIFY(contents.index().size() >= 40);
        std::set<QString> inTree;
        for (const std::vector<HelpEntry>* list : {&contents.contents(), &contents.index()})
            for (const HelpEntry& entry : *list) {
                QVERIFY2(entry.target.isEmpty() ? list == &contents.contents() : resolves(entry.target),
                         qPrintable(entry.title + " → " + entry.target)); // only contents headings lack a page
                if (list == &contents.contents())
                    inTree.insert(entry.target.section(QLatin1Char('#'), 0, 0));
            }
        for (const auto& [path, page] : pages)
            QVERIFY2(inTree.count(path), qPrintable(path + " is missing from the contents"));
    }

    void topicsHistoryIndexSearchAndMissingPage()
    {
        CHelpWindow help(kHelp);
        help.ShowTopic(QStringLiteral("html/Sonogrammdarstellung.html"));
        QVERIFY(help.isVisible());
        QCOMPARE(help.currentPage(), QStringLiteral("html/Sonogrammdarstellung.html"));
        // The pages' shared style sheet applies: the heading in its blue.
        QTextCursor heading = help.browser()->document()->find(QStringLiteral("Das Sonogramm"));
        QCOMPARE(heading.charFormat().foreground().color(), QColor(0x1f, 0x4e, 0x79));
        help.ShowIndex();
        QCOMPARE(help.windowTitle(), QStringLiteral("Resoni Hilfeindex"));
        QCOMPARE(help.currentPage(), QStringLiteral("html/Vorwort.html"));
        QCOMPARE(help.sidePanel()->currentIndex(), 1);
        auto* back = help.findChild<QPushButton*>(QStringLiteral("back"));
        auto* forward = help.findChild<QPushButton*>(QStringLiteral("forward"));
        QVERIFY(back->isEnabled() && !forward->isEnabled());
        back->click();
        QCOMPARE(help.currentPage(), QStringLiteral("html/Sonogrammdarstellung.html"));
        forward->click();
        QCOMPARE(help.currentPage(), QStringLiteral("html/Vorwort.html"));

        // The index filter keeps the matching keywords; choosing one opens its page.
        auto* index = help.findChild<QListWidget*>(QStringLiteral("indexList"));
        help.findChild<QLineEdit*>(QStringLiteral("indexFilter"))->setText(QStringLiteral("korrelationsdim"));
        QCOMPARE(index->count(), 1);
        emit index->itemActivated(index->item(0));
        QCOMPARE(help.currentPage(), QStringLiteral("html/Zeitreihenanalysefenster.html"));

        help.ShowContents();
        QCOMPARE(help.windowTitle(), QStringLiteral("Resoni Hilfe"));
        auto* results = help.findChild<QListWidget*>(QStringLiteral("searchResults"));
        help.findChild<QLineEdit*>(QStringLiteral("searchField"))->setText(QStringLiteral("lyapunov"));
        help.findChild<QPushButton*>(QStringLiteral("searchButton"))->click();
        QStringList found;
        for (int i = 0; i < results->count(); ++i)
            found << results->item(i)->data(Qt::UserRole).toString();
        QVERIFY2(found.contains(QStringLiteral("html/Zeitreihenanalysefenster.html")), qPrintable(found.join(' ')));
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
        const QString program = QStringLiteral(RESONI_PROGRAM_DIR); // the build copies the pages there
        QCOMPARE(HelpDirectoryBeside(program), QDir::cleanPath(program + QStringLiteral("/help")));
        QTemporaryDir root; // an installation: bin/resoni and share/resoni/help
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")) && QDir(root.path()).mkpath(QStringLiteral("share/resoni/help")));
        QVERIFY(HelpDirectoryBeside(root.path() + QStringLiteral("/bin")).isEmpty());
        QFile table(root.path() + QStringLiteral("/share/resoni/help/inhalt.txt"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.close();
        QCOMPARE(HelpDirectoryBeside(root.path() + QStringLiteral("/bin")), root.path() + QStringLiteral("/share/resoni/help"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
