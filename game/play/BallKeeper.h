// A block holding a ball: destroyed, it lets its ball go into play from its centre, away from the blast that
// destroyed it or on along the way of the ball that hit it.
#pragma once

#include "engine/core/Vector2.h"
#include "game/play/Block.h"

namespace GameFramework
{
class GameSoundPlayer;
class ScoreKeeper;
}

namespace Korvane
{
class BallManager;

class BallKeeper : public Block
{
public:
    static constexpr u32 ScoreEvent = 8;
    static constexpr u32 Sound = 16;

    BallKeeper(const BlockServices& services, const GeometryObject& object, u32 id, BallManager* balls,
               GameFramework::ScoreKeeper* scores, GameFramework::GameSoundPlayer* sounds);

    void Destroy(u32 kind, bool chain) override;
    // The way the ball that is hitting the keeper goes; the freed ball carries on along it.
    void SetReleaseDirection(const VelkorEngine::Vector2& direction) { m_releaseDirection = direction; }
    // The kind of ball it frees.
    u32 GetBallKind() const;

private:
    BallManager* m_balls = nullptr;
    GameFramework::ScoreKeeper* m_scores = nullptr;
    GameFramework::GameSoundPlayer* m_sounds = nullptr;
    VelkorEngine::Vector2 m_releaseDirection;
};
}
