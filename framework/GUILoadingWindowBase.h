// The window behind both loading screens: it loads a data keeper's queued resource lists on a worker thread
// while the main thread keeps the program responsive (messages, the picture on screen, the sounds). No game
// frame runs until the load is over.
#pragma once

#include "framework/GUIFrameworkWindow.h"

#include <atomic>
#include <exception>

namespace VelkorEngine
{
class Engine;
class MessageManager;
class RenderSystem;
class SoundManager;
class TimerManager;
class Window;
}

namespace GameTools
{
class DataKeeper;
}

namespace GameFramework
{
class GUILoadingWindowBase : public GUIFrameworkWindow
{
public:
    // The main thread's pause between two rounds of keeping the program alive.
    static constexpr u32 PumpSleepMs = 20;

    explicit GUILoadingWindowBase(VelkorEngine::Engine* engine);
    ~GUILoadingWindowBase() override;

    using GUIFrameworkWindow::Show;
    void Hide() override;
    virtual void Show(u32 stateId, GameTools::DataKeeper* keeper);

    // Returns once the keeper's queued files are loaded. An error of the load (a resource list that cannot be
    // read ends in a fatal error) is thrown again here, on the calling thread, after the worker has ended.
    void RunLoading();

    GameTools::DataKeeper* GetKeeper() const { return m_keeper; }
    bool IsDone() const { return m_done.load(); }

protected:
    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_messageManager = nullptr;
    VelkorEngine::TimerManager* m_timerManager = nullptr;
    VelkorEngine::Window* m_window = nullptr;
    VelkorEngine::RenderSystem* m_renderSystem = nullptr;
    VelkorEngine::SoundManager* m_soundManager = nullptr;
    GameTools::DataKeeper* m_keeper = nullptr;
    std::atomic<bool> m_done{false};

private:
    // The worker's whole work: the load, then done; an error is kept for the main thread.
    void LoadKeeper();
    void RunOnWorker();
    void KeepAliveUntilLoaded();
    bool PumpOneMessage();

    std::atomic<bool> m_workerEnded{false};
    std::exception_ptr m_loadError;
};
}
