// The program's command vocabulary: menu texts, status-bar prompts with their tooltips,
// accelerators, and the order of the menus and the toolbar. Only data; CMainFrame builds the
// actions from it.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

enum class CommandId {
    FileOpenWave, FileOpenSeries, FileSaveWindow, FilePrint, FilePrintPreview, FilePrintSetup, AppExit,
    EditCopy, EditClearCaptures,
    ViewToolbar, ViewStatusBar,
    ViewZeitreihe, ViewFFT, View3DFFT, ViewNotenbild, ViewSono, ViewReko, ViewAnalyse, ViewWavelet,
    DataListen, ToolListen,
    ProfileSelect, ProfileSave, SoundCard, WaveFormat, FFTSettings,
    WindowCascade, WindowTile, WindowArrange,
    HelpFinder, HelpIndex, AppAbout,
    Record, RecordStop, PlayWave, LoopPlay, StopPlay, RemoveWave, Mixer,
    // Reached by keys only.
    Abort, EditPaste, EditCut, EditUndo, KeyHelp3D, Device3D, SaveSonoPicture, SaveFFTPicture,
    SaveRekoPicture, NextPane, PrevPane,
};

struct CommandInfo
{
    CommandId id;
    const char* text;   // menu text with "&" mnemonic and "\t" key label (toolbar-only: the tooltip)
    const char* prompt; // status-bar prompt, then after "\n" the tooltip; empty when none
    QList<QKeySequence> keys;
    bool available;     // false while the behaviour behind the command does not exist yet
};

const std::vector<CommandInfo>& commandTable();
const CommandInfo& commandInfo(CommandId id);

// The prompt's first line (status bar) and its tooltip (after the line break; the menu text
// without "&" and key label when the prompt has no tooltip).
QString commandStatusTip(const CommandInfo& c);
QString commandToolTip(const CommandInfo& c);

// A menu: its title and items; CommandId-less entries are separators.
struct MenuItem
{
    bool separator;
    CommandId id;
};
struct MenuSpec
{
    const char* title;
    std::vector<MenuItem> items;
};

// The menu bar before any document exists, and the full one with the document.
const std::vector<MenuSpec>& menuBarWithoutDocument();
const std::vector<MenuSpec>& menuBarWithDocument();
// The toolbar from left to right; separators as in the menus.
const std::vector<MenuItem>& toolbarLayout();
