// The whole game in one process on the engine twins with the generated data set: frames at a fixed frame
// time on the fake clock, and the mouse and keyboard of a player through the platform layer's test input.
#pragma once

#include "engine/core/Vector2.h"
#include "game/app/Game.h"
#include "tests/framework/TestGame.h"

#include <functional>
#include <memory>
#include <string>

namespace Korvane
{
class GameLogic;
}

namespace VelkorEngine
{
class GUIWindow;
}

namespace GameAppTest
{
class WholeGameBed
{
public:
    // The installation folder at the built data set, the user's folders empty: the program's first start.
    WholeGameBed();

    void Frames(int count);
    // Frames until the condition holds; false when it never did.
    bool RunUntil(const std::function<bool()>& condition, int limit = 3000);
    bool IsShownWith(VelkorEngine::u32 window, VelkorEngine::u32 stateId) const;
    // The mouse over a point of the GUI screen, which the window stretches over its client area.
    void MoveMouseTo(const VelkorEngine::Vector2& point);
    void Click(const VelkorEngine::Vector2& point);
    // The mouse over the middle of a widget.
    void MoveMouseOver(const VelkorEngine::GUIWindow& widget);
    // Read by the next frame: the mouse device's report, and the window's message in its place among the keys.
    void SetLeftButton(bool down);
    void PressKey(DWORD key);
    // Keys typed into the window, read by the next frame: the characters of a text, or one key by its virtual-key
    // code, pressed or repeating while held.
    void TypeText(const std::wstring& text);
    void TypeKey(VelkorEngine::u16 virtualKey, bool repeat = false);
    Korvane::GameLogic* Logic() const;
    // The twins note every call they take; a long run lets the notes go now and then to stay in bounded memory.
    void ForgetCalls();

    FrameworkTest::GameEnvironment environment;
    std::unique_ptr<Korvane::Game> game;
    // Seconds each frame moves the fake clock on.
    double frameTime = 1.0 / 60.0;
};
}
