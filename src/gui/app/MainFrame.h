// The main window "Soundanalyse": MDI area, menus, toolbar and the status bar with its
// thirteen panes. The document tells it what the panes show through the OnStatus* calls.
#pragma once

#include "CommandTable.h"

#include <QList>
#include <QMainWindow>

#include <array>
#include <map>
#include <memory>

class CResoniApp;
class CViewCommands;
class QAction;
class QLabel;
class QMenu;
class QMdiArea;
class QToolBar;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kPaneCount = 13;

    explicit CMainFrame(CResoniApp& app);
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return m_pMdiArea; }
    QToolBar* toolBar() const { return m_pToolBar; }
    QAction* action(CommandId id) const;
    // The text pane i of the status bar shows (0: the prompt pane).
    QString paneText(int pane) const;
    QLabel* pane(int i) const { return m_Panes[static_cast<size_t>(i)]; }

    // Switches between the menu bar without a document and the full one.
    void SetDocumentMenus(bool withDocument);
    // Recomputes every command's enabled and checked state from the program's state.
    void UpdateCommandUI();
    // The commands that go to the views (pictures, printing, help, keys of the views).
    CViewCommands& viewCommands() const { return *m_pViewCommands; }

    // Rebuilds the numbered entries of the recent list in "&Datei", before "&Beenden".
    void RefreshRecentFiles();
    // The entries shown, newest first.
    QList<QAction*> recentFileActions() const;

    // Status notifications.
    void OnStatusFFTSize(int points);
    void OnStatusFile();
    void OnStatusBits(int bits);
    void OnStatusRate(int hertz);
    void OnStatusListening();
    void OnStatusRecording();
    // What the loaded file was converted from (empty: nothing converted): the prompt pane shows
    // the line instead of "Bereit", and the window title names the conversion.
    void OnStatusConversion(const QString& line, const QString& conversion);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A file dragged from the desktop onto the window opens (the first one of several).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void Execute(CommandId id);
    void ArrangeIcons();
    void ActivatePane(bool next);
    bool ActiveWindowClearsCaptures() const;
    void SetPane(int pane, const QString& text);

    CResoniApp& m_app;
    QMdiArea* m_pMdiArea = nullptr;   // owned by the window (central widget)
    QToolBar* m_pToolBar = nullptr;
    std::array<QLabel*, kPaneCount> m_Panes{};
    std::map<CommandId, QAction*> m_Actions; // owned by the window
    bool m_bWithDocument = false;
    QMenu* m_pFileMenu = nullptr;           // "&Datei" of the menu bar with the document
    QList<QAction*> m_RecentActions;        // its recent-list entries, then their separator
    std::unique_ptr<CViewCommands> m_pViewCommands;
};
