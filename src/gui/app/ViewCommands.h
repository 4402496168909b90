// The commands that reach a view rather than the program, as the menus of a multi-document
// program route them: "Fenster speichern..." and "&Kopieren" to the active window's view; printing,
// print preview and printer set-up for the waveform view; "Resoni Hilfe", "Resoni Hilfeindex"
// and F1 (the active view's page); F2 and Strg+F1 to the active 3D view; F3, F4 and F5 to the
// sonogram, FFT and reconstruction windows.
#pragma once

#include "CommandTable.h"

#include <memory>

class CDocView;
class CHelpWindow;
class CResoniApp;
class QMdiArea;
class QPrinter;

class CViewCommands
{
public:
    CViewCommands(CResoniApp& app, QMdiArea& area);
    ~CViewCommands();
    CViewCommands(const CViewCommands&) = delete;
    CViewCommands& operator=(const CViewCommands&) = delete;

    // Whether the command is one of these.
    static bool Handles(CommandId id);
    // Whether it applies now (the window it needs is there).
    bool Enabled(CommandId id) const;
    void Execute(CommandId id);
    // F1: the page of the active window's view, or the help's contents.
    void HelpKey();

    // The view of the active window: a module window's view or the waveform view.
    CDocView* ActiveView() const;
    // The printer the print commands share (its set-up is kept while the program runs).
    QPrinter& printer();
    // The help window once opened.
    CHelpWindow* helpWindow() const { return m_pHelp.get(); }

private:
    CDocView* WaveView() const;
    CHelpWindow& Help();
    void Print(bool bPreview);

    CResoniApp& m_app;
    QMdiArea& m_area;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<CHelpWindow> m_pHelp;
};
