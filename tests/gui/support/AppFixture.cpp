#include "AppFixture.h"

AppFixture::AppFixture(const QStringList& args, const std::function<void(CResoniApp&)>& beforeStart)
    : m_app(std::make_unique<CResoniApp>())
{
    auto dialogs = std::make_unique<CScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_app->setDialogs(std::move(dialogs));
    if (beforeStart)
        beforeStart(*m_app);
    m_started = m_app->InitInstance(args);
}

AppFixture::~AppFixture()
{
    m_app->ExitInstance(0);
}
