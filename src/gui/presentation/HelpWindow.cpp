#include "HelpWindow.h"

#include "HelpDirectory.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTargetRole = Qt::UserRole; // list and tree items carry their target here

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

CHelpWindow::CHelpWindow(const QString& helpDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window), m_strDirectory(helpDirectory)
{
    setObjectName(QStringLiteral("CHelpWindow"));
    setWindowTitle(QStringLiteral("Resoni Hilfe"));
    resize(960, 700);

    m_pBack = new QPushButton(QStringLiteral("Zurück"), this);
    m_pForward = new QPushButton(QStringLiteral("Vorwärts"), this);
    auto* home = new QPushButton(QStringLiteral("Startseite"), this);
    m_pBack->setObjectName(QStringLiteral("back"));
    m_pForward->setObjectName(QStringLiteral("forward"));
    home->setObjectName(QStringLiteral("home"));
    m_pBack->setEnabled(false);
    m_pForward->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pBack);
    buttons->addWidget(m_pForward);
    buttons->addWidget(home);
    buttons->addStretch(1);

    m_pTabs = new QTabWidget(this);
    m_pTree = new QTreeWidget(m_pTabs);
    m_pTree->setHeaderHidden(true);
    m_pTabs->addTab(m_pTree, QStringLiteral("Inhalt"));

    auto* indexPage = new QWidget(m_pTabs);
    m_pIndexFilter = new QLineEdit(indexPage);
    m_pIndexFilter->setObjectName(QStringLiteral("indexFilter"));
    m_pIndexFilter->setPlaceholderText(QStringLiteral("Stichwort eingeben"));
    m_pIndexList = new QListWidget(indexPage);
    m_pIndexList->setObjectName(QStringLiteral("indexList"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(m_pIndexFilter);
    indexLayout->addWidget(m_pIndexList);
    m_pTabs->addTab(indexPage, QStringLiteral("Index"));

    auto* searchPage = new QWidget(m_pTabs);
    m_pSearchField = new QLineEdit(searchPage);
    m_pSearchField->setObjectName(QStringLiteral("searchField"));
    m_pSearchField->setPlaceholderText(QStringLiteral("Suchbegriff eingeben"));
    auto* searchButton = new QPushButton(QStringLiteral("Suchen"), searchPage);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    m_pSearchResults = new QListWidget(searchPage);
    m_pSearchResults->setObjectName(QStringLiteral("searchResults"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_pSearchField);
    searchRow->addWidget(searchButton);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(m_pSearchResults);
    m_pTabs->addTab(searchPage, QStringLiteral("Suchen"));

    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setOpenLinks(false); // every link goes through OnLinkClicked
    m_pBrowser->setSearchPaths({m_strDirectory});

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_pTabs);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({260, 700});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(m_pBack, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(m_pForward, &QPushButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, [this] { Open(kStartPage); });
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, m_pForward, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, [this] { m_strMissing.clear(); });
    connect(m_pBrowser, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnLinkClicked);
    const auto openEntry = [this](QTreeWidgetItem* item) {
        if (const QString target = item->data(0, kTargetRole).toString(); !target.isEmpty())
            Open(target); // headings only group
    };
    connect(m_pTree, &QTreeWidget::itemActivated, this, openEntry);
    connect(m_pTree, &QTreeWidget::itemClicked, this, openEntry);
    connect(m_pIndexFilter, &QLineEdit::textChanged, this, &CHelpWindow::FillIndex);
    connect(m_pIndexList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Open(item->data(kTargetRole).toString()); });
    connect(m_pIndexList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Open(item->data(kTargetRole).toString()); });
    connect(m_pSearchField, &QLineEdit::returnPressed, this, &CHelpWindow::RunSearch);
    connect(searchButton, &QPushButton::clicked, this, &CHelpWindow::RunSearch);
    // A found page opens with the first place of the word selected.
    const auto openFound = [this](QListWidgetItem* item) {
        Open(item->data(kTargetRole).toString());
        m_pBrowser->find(m_pSearchField->text().simplified());
    };
    connect(m_pSearchResults, &QListWidget::itemActivated, this, openFound);
    connect(m_pSearchResults, &QListWidget::itemClicked, this, openFound);

    // Without a table the tree says why; pages that exist can still be shown.
    QString loadError;
    if (!m_strDirectory.isEmpty() && !m_Contents.Load(m_strDirectory, &loadError))
        (new QTreeWidgetItem(m_pTree))->setText(0, loadError);

    // The contents tree: an entry two blanks deeper than the one before is its child.
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpEntry& entry : m_Contents.contents()) {
        const size_t level = std::min<size_t>(size_t(entry.level), parents.size());
        parents.resize(level);
        auto* item = parents.empty() ? new QTreeWidgetItem(m_pTree) : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.title);
        item->setData(0, kTargetRole, entry.target);
        parents.push_back(item);
    }
    m_pTree->expandAll();
    FillIndex(QString());
}

void CHelpWindow::ShowTopic(const QString& page)
{
    Open(page);
    ShowAndRaise(QStringLiteral("Resoni Hilfe"));
}

void CHelpWindow::ShowContents()
{
    m_pTabs->setCurrentIndex(0);
    ShowTopic(kStartPage);
}

void CHelpWindow::ShowIndex()
{
    Open(kStartPage);
    m_pTabs->setCurrentIndex(1);
    ShowAndRaise(QStringLiteral("Resoni Hilfeindex"));
    m_pIndexFilter->setFocus();
}

QString CHelpWindow::currentPage() const
{
    if (!m_strMissing.isEmpty())
        return m_strMissing;
    const QString file = m_pBrowser->source().toLocalFile();
    return file.isEmpty() ? QString() : QDir(m_strDirectory).relativeFilePath(file);
}

void CHelpWindow::Open(const QString& target)
{
    const QString page = target.section(QLatin1Char('#'), 0, 0);
    const QString anchor = target.section(QLatin1Char('#'), 1);
    const QString path = m_strDirectory.isEmpty() ? QString() : QDir(m_strDirectory).filePath(page);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        const QString where = m_strDirectory.isEmpty()
                                  ? HelpDirectoryCandidates(QCoreApplication::applicationDirPath())
                                        .join(QStringLiteral(" und "))
                                  : m_strDirectory;
        const QString text = QStringLiteral("Die Hilfeseite „%1“ wurde nicht gefunden (gesucht in %2).")
                                 .arg(page, QDir::toNativeSeparators(where));
        m_pBrowser->setHtml(QStringLiteral("<h2>Resoni Hilfe</h2><p>%1</p>").arg(Escaped(text)));
        m_strMissing = page;
        return;
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    if (url == m_pBrowser->source() && m_strMissing.isEmpty())
        return;
    m_pBrowser->setSource(url);
    m_strMissing.clear();
}

void CHelpWindow::OnLinkClicked(const QUrl& url)
{
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")) {
        QDesktopServices::openUrl(url);
        return;
    }
    if (url.isRelative() && url.path().isEmpty() && url.hasFragment()) { // "#anchor" on this page
        m_pBrowser->scrollToAnchor(url.fragment());
        return;
    }
    const QUrl resolved = m_pBrowser->source().resolved(url);
    QString target = QDir(m_strDirectory).relativeFilePath(resolved.toLocalFile());
    if (resolved.hasFragment())
        target += QLatin1Char('#') + resolved.fragment();
    Open(target);
}

void CHelpWindow::FillIndex(const QString& filter)
{
    m_pIndexList->clear();
    for (const HelpEntry& entry : m_Contents.index()) {
        if (!filter.isEmpty() && !entry.title.contains(filter.trimmed(), Qt::CaseInsensitive))
            continue;
        auto* item = new QListWidgetItem(entry.title, m_pIndexList);
        item->setData(kTargetRole, entry.target);
    }
}

void CHelpWindow::RunSearch()
{
    m_pSearchResults->clear();
    const std::vector<HelpEntry> found = m_Contents.Search(m_pSearchField->text());
    for (const HelpEntry& entry : found) {
        auto* item = new QListWidgetItem(entry.title, m_pSearchResults);
        item->setData(kTargetRole, entry.target);
    }
    if (found.empty() && !m_pSearchField->text().trimmed().isEmpty())
        (new QListWidgetItem(QStringLiteral("Keine Seite gefunden."), m_pSearchResults))->setFlags(Qt::NoItemFlags);
}

void CHelpWindow::ShowAndRaise(const QString& title)
{
    setWindowTitle(title);
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}
