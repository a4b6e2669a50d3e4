// The loading thread and the main thread's round of messages, picture and sounds while it runs.
#include "framework/GUILoadingWindowBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "framework/DataKeeper.h"
#include "platform/win32/Time.h"

#include <system_error>
#include <thread>
#include <utility>

namespace GameFramework
{
GUILoadingWindowBase::GUILoadingWindowBase(VelkorEngine::Engine* engine)
    : m_engine(engine), m_messageManager(engine->GetMessageManager()), m_timerManager(engine->GetTimerManager()),
      m_window(engine->GetWindow()), m_renderSystem(engine->GetRenderSystem()),
      m_soundManager(engine->GetSoundManager())
{
}

GUILoadingWindowBase::~GUILoadingWindowBase() = default;

void GUILoadingWindowBase::Show(u32 stateId, GameTools::DataKeeper* keeper)
{
    GUIFrameworkWindow::Show(stateId);
    m_keeper = keeper;
}

void GUILoadingWindowBase::Hide()
{
    GUIFrameworkWindow::Hide();
    m_keeper = nullptr;
    m_done = false;
}

void GUILoadingWindowBase::RunLoading()
{
    m_workerEnded = false;
    m_loadError = nullptr;
    RunOnWorker();
    if (m_loadError)
        std::rethrow_exception(std::exchange(m_loadError, nullptr));
}

void GUILoadingWindowBase::RunOnWorker()
{
    std::thread worker;
    try
    {
        worker = std::thread(&GUILoadingWindowBase::LoadKeeper, this);
    }
    catch (const std::system_error&)
    {
        // No thread to be had: the load runs here, and the round below ends at its first pass.
        LoadKeeper();
    }
    try
    {
        KeepAliveUntilLoaded();
    }
    catch (...)
    {
        // The worker still uses this window: it must end before the error leaves.
        if (worker.joinable())
            worker.join();
        throw;
    }
    if (worker.joinable())
        worker.join();
}

void GUILoadingWindowBase::LoadKeeper()
{
    try
    {
        if (m_keeper)
            m_keeper->Load();
        m_done = true;
    }
    catch (...)
    {
        // An exception leaving a thread would end the process without a word: the main thread reports it.
        m_loadError = std::current_exception();
    }
    m_workerEnded = true;
}

void GUILoadingWindowBase::KeepAliveUntilLoaded()
{
    for (;;)
    {
        if (PumpOneMessage())
            continue;
        if (!m_window->IsFullScreen())
            m_renderSystem->SwapBuffers();
        if (m_soundManager)
            m_soundManager->Update(0);
        if (m_workerEnded || m_done)
            return;
        ::Sleep(PumpSleepMs);
    }
}

bool GUILoadingWindowBase::PumpOneMessage()
{
    MSG message;
    if (!PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    TranslateMessage(&message);
    DispatchMessage(&message);
    return true;
}
}
