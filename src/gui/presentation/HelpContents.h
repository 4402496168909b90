// The help's table: the contents tree and the index keywords from the help folder's "inhalt.txt",
// and the pages' plain texts for the full-text search.
//
// "inhalt.txt" is UTF-8, one entry per line, "title | target"; blank lines and lines starting
// with "#" are skipped. Lines after "[Inhalt]" form the tree (two leading blanks per level),
// lines after "[Index]" the keywords; a contents line without "|" is a heading without a page. Targets are relative to the help folder
// ("html/Sonogrammdarstellung.html", index keywords may add "#anchor").
#pragma once

#include <QString>

#include <vector>

struct HelpEntry
{
    QString title;  // contents title or index keyword
    QString target; // "html/Page.html" or "html/Page.html#anchor"; empty for a heading
    int level = 0;  // depth in the contents tree; 0 for index keywords
};

class CHelpContents
{
public:
    static inline const QString kContentsFile = QStringLiteral("inhalt.txt");

    // Reads the table and every page under <directory>/html. False, with a German line in
    // *error, when the table cannot be read or a line of it is not "title | target".
    bool Load(const QString& directory, QString* error);

    const std::vector<HelpEntry>& contents() const { return m_contents; }
    const std::vector<HelpEntry>& index() const { return m_index; }

    // The pages whose text (without markup) contains word, ignoring case: title of the page and
    // its path, pages of the contents first in their order, then the others by name.
    std::vector<HelpEntry> Search(const QString& word) const;

private:
    struct Page
    {
        QString path;  // "html/Page.html"
        QString title; // its <title>
        QString text;  // plain text
    };

    std::vector<HelpEntry> m_contents;
    std::vector<HelpEntry> m_index;
    std::vector<Page> m_pages; // in search order
};
