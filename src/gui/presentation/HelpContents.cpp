#include "HelpContents.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

namespace {

QString ReadUtf8(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(file.readAll()) : QString();
}

QString TitleOf(const QString& html, const QString& fallback)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(html);
    return match.hasMatch() ? match.captured(1).simplified() : fallback;
}

} // namespace

bool CHelpContents::Load(const QString& directory, QString* error)
{
    m_contents.clear();
    m_index.clear();
    m_pages.clear();
    const QDir dir(directory);
    bool ok = false;
    const QString table = ReadUtf8(dir.filePath(kContentsFile), &ok);
    if (!ok) {
        *error = QStringLiteral("Das Inhaltsverzeichnis „%1“ konnte nicht gelesen werden.")
                     .arg(QDir::toNativeSeparators(dir.filePath(kContentsFile)));
        return false;
    }

    std::vector<HelpEntry>* section = nullptr;
    const QStringList lines = table.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        line.remove(QLatin1Char('\r'));
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed == QLatin1String("[Inhalt]") || trimmed == QLatin1String("[Index]")) {
            section = trimmed == QLatin1String("[Inhalt]") ? &m_contents : &m_index;
            continue;
        }
        const int bar = trimmed.indexOf(QLatin1Char('|'));
        const bool heading = section == &m_contents && bar < 0; // a node that only groups its children
        if (!section || (!heading && (bar <= 0 || trimmed.mid(bar + 1).trimmed().isEmpty()))) {
            *error = QStringLiteral("Zeile %1 des Inhaltsverzeichnisses ist ungültig: „%2“")
                         .arg(i + 1)
                         .arg(trimmed);
            return false;
        }
        int blanks = 0;
        while (blanks < line.size() && line[blanks] == QLatin1Char(' '))
            ++blanks;
        const int level = section == &m_contents ? blanks / 2 : 0;
        if (heading)
            section->push_back({trimmed, QString(), level});
        else
            section->push_back({trimmed.left(bar).trimmed(), trimmed.mid(bar + 1).trimmed(), level});
    }

    // Pages of the contents first, in their order, then every other page by name.
    QStringList order;
    for (const HelpEntry& entry : m_contents)
        if (!entry.target.isEmpty() && !order.contains(entry.target.section(QLatin1Char('#'), 0, 0)))
            order << entry.target.section(QLatin1Char('#'), 0, 0);
    const QStringList files = QDir(dir.filePath(QStringLiteral("html")))
                                  .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        if (!order.contains(QStringLiteral("html/") + file))
            order << QStringLiteral("html/") + file;
    for (const QString& path : order) {
        const QString html = ReadUtf8(dir.filePath(path), &ok);
        if (ok)
            m_pages.push_back({path, TitleOf(html, path), QTextDocumentFragment::fromHtml(html).toPlainText()});
    }
    return true;
}

std::vector<HelpEntry> CHelpContents::Search(const QString& word) const
{
    std::vector<HelpEntry> found;
    const QString needle = word.simplified();
    if (needle.isEmpty())
        return found;
    for (const Page& page : m_pages)
        if (page.text.contains(needle, Qt::CaseInsensitive) || page.title.contains(needle, Qt::CaseInsensitive))
            found.push_back({page.title, page.path, 0});
    return found;
}
