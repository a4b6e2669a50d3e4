// The loader's guard and the message loop that runs one game frame whenever no message waits.
#include "framework/GameLoaderBase.h"

#include "engine/core/Error.h"
#include "framework/GameBase.h"

#include <cstdio>

namespace GameFramework
{
namespace
{
constexpr const char* FatalCaption = "Fatal Error";
constexpr const char* UnhandledText = "Unhandled exception!";
}

GameLoaderBase::GameLoaderBase(HINSTANCE instance, HINSTANCE previousInstance, const std::string& commandLine,
                               i32 showFlag)
    : m_instance(instance), m_previousInstance(previousInstance), m_commandLine(commandLine), m_showFlag(showFlag)
{
}

GameLoaderBase::~GameLoaderBase() = default;

void GameLoaderBase::Run()
{
    try
    {
        CreateGame();
        RunMessageLoop();
        DestroyGame();
    }
    catch (const VelkorEngine::FatalError& error)
    {
        ReportFailure(error.GetMessage());
    }
    catch (const VelkorEngine::Error& error)
    {
        // The box keeps its fixed text; the error's own words still reach whoever reads the error stream.
        std::fprintf(stderr, "%s\n", error.GetMessage().c_str());
        ReportFailure(UnhandledText);
    }
    catch (...)
    {
        ReportFailure(UnhandledText);
    }
}

// The game goes first, so the box appears after the engine's window has gone.
void GameLoaderBase::ReportFailure(const std::string& text)
{
    m_exitCode = ExitFailed;
    DestroyGame();
    MessageBox(nullptr, text.c_str(), FatalCaption, MB_ICONHAND);
}

void GameLoaderBase::DestroyGame()
{
    m_game.reset();
}

void GameLoaderBase::RunMessageLoop()
{
    // A loader that made no game has nothing to run.
    while (m_game)
    {
        MSG message;
        if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessage(&message);
        }
        else
        {
            m_game->Frame();
        }
        if (m_game->IsExitRequested())
            return;
    }
}
}
