// A brick: a block with a strength. Hard bricks lose a strength and show their next texture frame per hit,
// unbreakable ones take 25 hits, explosive ones go up and blast their neighbours; every outcome scores through
// the score keeper and sounds through the game's sound player.
#pragma once

#include "game/play/Block.h"
#include "game/play/BrickDurability.h"

namespace GameFramework
{
class GameSoundPlayer;
class ScoreKeeper;
}

namespace Korvane
{
class BonusManager;

class Brick : public Block
{
public:
    // crashCounter: shared by the level's bricks, so that ordinary bricks take turns with their crash sounds.
    // bonuses: told of every brick that breaks, so that a bonus may fall from it; none without one.
    Brick(const BlockServices& services, const GeometryObject& object, u32 id, GameFramework::ScoreKeeper* scores,
          GameFramework::GameSoundPlayer* sounds, u32* crashCounter, BonusManager* bonuses = nullptr);

    void Destroy(u32 kind, bool chain) override;

    // Counts towards completing the level: ordinary, hard and explosive bricks.
    bool MustBeDestroyed() const;
    VelkorEngine::i32 GetStrength() const { return m_durability.GetStrength(); }

private:
    void ShowFrame(u32 frame);

    GameFramework::ScoreKeeper* m_scores = nullptr;
    BonusManager* m_bonuses = nullptr;
    GameFramework::GameSoundPlayer* m_sounds = nullptr;
    u32* m_crashCounter = nullptr;
    BrickDurability m_durability;
};
}
