// The numbers the window flow runs on: where each window sits in the game's window table, the state id a
// window is shown with (what it was opened from) and the result code a window hands back to its handler.
// Every game window uses these names rather than bare numbers.
#pragma once

#include "engine/core/Types.h"

namespace GameFramework
{
namespace WindowIndex
{
enum : VelkorEngine::u32
{
    Logos = 0,
    GameLoading = 1,
    GameLogicLoading = 2,
    Welcome = 3,
    Exit = 4,
    MainMenu = 5,
    Profiles = 6,
    NewProfile = 7,
    RenameProfile = 8,
    DeleteProfile = 9,
    ProfileNameConflict = 10,
    StartGame = 11,
    ContinueGame = 12,
    HighScores = 13,
    Options = 14,
    Help = 15,
    GameLogic = 16,
    GameLogicPause = 17,
    GameLogicMenu = 18,
    GameLogicMenuExit = 19,
    GameLogicRestart = 20,
    GameLogicGameExit = 21,
    LevelComplete = 22,
    StageComplete = 23,
    GameComplete = 24,
    GameOver = 25,
    Count = 26
};
}

namespace StateId
{
enum : VelkorEngine::u32
{
    None = 0,
    Framework = 1,
    Logos = 2,
    GameLoading = 3,
    Welcome = 4,
    Exit = 5,
    MainMenu = 6,
    HighScores = 7,
    Options = 8,
    Help = 9,
    Profiles = 10,
    NewProfile = 11,
    RenameProfile = 12,
    DeleteProfile = 13,
    ProfileNameConflict = 14,
    StartGame = 15,
    GameLogicLoading = 16,
    Play = 17,
    GameLogicMenu = 18,
    GameLogicRestart = 19,
    GameLogicMenuExit = 20,
    ContinueGame = 21,
    LevelComplete = 22,
    StageComplete = 23,
    GameComplete = 24,
    GameOver = 25
};
}

namespace ResultCode
{
enum : VelkorEngine::u32
{
    None = 0,
    Done = 1,
    Welcome = 2,
    MainMenu = 3,
    ExitQuestion = 4,
    Profiles = 5,
    NewProfile = 6,
    RenameProfile = 7,
    DeleteProfile = 8,
    NameTaken = 9,
    HighScores = 10,
    Options = 11,
    Help = 12,
    LevelMap = 13,
    ContinueGame = 14,
    Pause = 15,
    GameLogicMenu = 16,
    RestartQuestion = 17,
    ExitToMenuQuestion = 18,
    BackToPlay = 19,
    StageComplete = 20,
    GameComplete = 21,
    Quit = 22,
    Start = 23
};
}
}
