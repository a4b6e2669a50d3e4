// A scripted player for whole levels: it keeps the bat under the ball that comes down first and meets it off
// centre so that it leaves towards a brick still standing, and clicks in every frame, which launches, fires or
// strikes. It plays the game logic alone or the whole game, wherever the bat follows a GUI cursor.
#pragma once

#include "engine/core/Vector2.h"

namespace Korvane
{
class Brick;
class GameLogic;
struct FlyingBall;
}

namespace TestSupport
{
class BallFollower
{
public:
    // The GUI screen's width, over which the cursor spans the bat's whole range.
    static constexpr float GuiWidth = 800.0f;

    explicit BallFollower(Korvane::GameLogic& logic) : m_logic(logic) {}

    // The GUI cursor x that puts the bat's centre at a world x.
    static float CursorFor(float worldX);

    // Clicks and moves the cursor's x to where the bat should meet the falling ball; leaves it alone while no
    // ball comes down.
    void Step(VelkorEngine::Vector2& cursor);

private:
    // The free ball going down that is lowest.
    const Korvane::FlyingBall* Falling() const;
    const Korvane::Brick* PickBrick() const;

    Korvane::GameLogic& m_logic;
    const Korvane::Brick* m_target = nullptr;
};
}
