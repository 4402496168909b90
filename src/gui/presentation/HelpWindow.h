// The help window "Resoni Hilfe": the German help pages in a text browser, with the contents tree,
// the index (with a filter) and a full-text search beside it, and "Zurück", "Vorwärts",
// "Startseite" above it. Links to web addresses open in the desktop's browser.
#pragma once

#include "HelpContents.h"

#include <QString>
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

// The one help window of the program (created on first use, owned by the caller).
class CHelpWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kStartPage = QStringLiteral("html/Vorwort.html");

    explicit CHelpWindow(const QString& helpDirectory, QWidget* parent = nullptr);

    void ShowTopic(const QString& page); // e.g. "html/Sonogrammdarstellung.html"; shows and raises
    void ShowContents();                 // "Resoni Hilfe": contents tab + "html/Vorwort.html"
    void ShowIndex();                    // "Resoni Hilfeindex": Vorwort + index tab
    QString currentPage() const;         // e.g. "html/Sonogrammdarstellung.html"
    QTextBrowser* browser() const { return m_pBrowser; }
    QTabWidget* sidePanel() const { return m_pTabs; }

private:
    // Shows target ("html/Page.html#anchor", relative to the help folder) in the browser, or the
    // message that it was not found.
    void Open(const QString& target);
    void OnLinkClicked(const QUrl& url);
    void FillIndex(const QString& filter);
    void RunSearch();
    void ShowAndRaise(const QString& title);

    QString m_strDirectory;
    CHelpContents m_Contents;
    QString m_strMissing;    // the page shown as "not found", empty when a page is shown

    QTextBrowser* m_pBrowser = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QTreeWidget* m_pTree = nullptr;
    QLineEdit* m_pIndexFilter = nullptr;
    QListWidget* m_pIndexList = nullptr;
    QLineEdit* m_pSearchField = nullptr;
    QListWidget* m_pSearchResults = nullptr;
    QPushButton* m_pBack = nullptr;
    QPushButton* m_pForward = nullptr;
};
