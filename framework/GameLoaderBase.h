// The outermost object of the program: it creates the game, drives it from the message loop until the engine
// is asked to quit, destroys it, and turns any error that escapes the game into a "Fatal Error" box. It is the
// only place where such errors are caught.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Window.h"

#include <memory>
#include <string>

namespace GameFramework
{
using VelkorEngine::i32;

class GameBase;

class GameLoaderBase
{
public:
    // What the process's shell is told: a normal quit, or an error that ended the game.
    static constexpr int ExitNormal = 0;
    static constexpr int ExitFailed = 1;

    GameLoaderBase(HINSTANCE instance, HINSTANCE previousInstance, const std::string& commandLine, i32 showFlag);
    virtual ~GameLoaderBase();

    GameLoaderBase(const GameLoaderBase&) = delete;
    GameLoaderBase& operator=(const GameLoaderBase&) = delete;

    // Create, loop, destroy; never lets an exception out.
    virtual void Run();
    // The game's loader makes its game and stores it in m_game.
    virtual void CreateGame() = 0;
    virtual void DestroyGame();
    virtual void RunMessageLoop();

    GameBase* GetGame() const { return m_game.get(); }
    int GetExitCode() const { return m_exitCode; }

protected:
    void ReportFailure(const std::string& text);

    HINSTANCE m_instance = nullptr;
    HINSTANCE m_previousInstance = nullptr;
    std::string m_commandLine;
    i32 m_showFlag = 0;
    std::unique_ptr<GameBase> m_game;

private:
    int m_exitCode = ExitNormal;
};
}
