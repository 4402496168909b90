// A started program for GUI tests: the application object after InitInstance, with scripted
// dialogs, offscreen. One per test function, so every test starts from a fresh program.
#pragma once

#include "ScriptedDialogs.h"

#include "gui/app/MainFrame.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/ResoniDoc.h"

#include <memory>

class AppFixture
{
public:
    explicit AppFixture(const QStringList& args = {QStringLiteral("resoni")},
                        const std::function<void(CResoniApp&)>& beforeStart = {});
    ~AppFixture();

    CResoniApp& app() { return *m_app; }
    CResoniDoc& doc() { return *m_app->doc(); }
    CMainFrame& frame() { return *m_app->mainFrame(); }
    CScriptedDialogs& dialogs() { return *m_dialogs; }
    bool started() const { return m_started; }

private:
    std::unique_ptr<CResoniApp> m_app;
    CScriptedDialogs* m_dialogs; // owned by the application object
    bool m_started = false;
};
