// The blocks of the level being played: built from the level keeper's geometry records, kept with how they rest
// on one another, animated along the level's key frames, counted towards completing the level, and removed
// once destroyed while what rested on them comes down onto what remains.
#pragma once

#include "engine/core/Types.h"
#include "game/play/BlastSchedule.h"
#include "game/play/BlockStack.h"

#include <memory>
#include <vector>

namespace VelkorEngine
{
class AnimationControl;
class Engine;
class MessageManager;
class TimerManager;
}

namespace GameFramework
{
class GameSoundPlayer;
class ScoreKeeper;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class BallManager;
class Block;
class BonusManager;
class Brick;
class Effects;
class ExplosionManager;
class GameLogicData;
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u32;

class GameGeometry
{
public:
    // Where Classify puts a block.
    static constexpr u32 ClassBrick = 0;
    static constexpr u32 ClassBallKeeper = 1;
    static constexpr u32 ClassOther = 2;

    GameGeometry(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, GameLogicData* level,
                 Effects* effects, GameFramework::ScoreKeeper* scores, GameFramework::GameSoundPlayer* sounds);
    virtual ~GameGeometry();

    GameGeometry(const GameGeometry&) = delete;
    GameGeometry& operator=(const GameGeometry&) = delete;

    // Makes the level's blocks, hidden and about to appear from the bottom of each stack up. Once per level.
    // balls: where ball keepers let their balls go. bonuses: told of every brick that breaks.
    void Build(BallManager* balls = nullptr, BonusManager* bonuses = nullptr);
    // One frame; activity: the game logic's activity factor, which slows the level down while it pauses.
    void Update(f32 activity);
    void SetPaused(bool paused) { m_paused = paused; }

    // A hit on the block with this index of the blocks list; nothing for an index past it.
    void HitBlock(u32 index, u32 destroyKind);
    // Takes the block out now; the remaining count goes down for a brick that had to be destroyed.
    void RemoveBlock(Block* block);
    u32 Classify(const Block* block) const;

    // Called by the blocks.
    void Hop(u32 blockId);
    void HopDependents(u32 blockId);
    void BlastFrom(u32 blockId);

    const std::vector<std::unique_ptr<Block>>& GetBlocks() const { return m_blocks; }
    const std::vector<Brick*>& GetBricks() const { return m_bricks; }
    i32 GetRemainingCount() const { return m_remaining; }
    i32 GetInitialCount() const { return m_initial; }
    GameLogicData* GetLevelData() const { return m_level; }
    const BlockStack& GetStack() const { return m_stack; }
    const BlastSchedule* GetBlasts() const { return m_blasts.get(); }
    ExplosionManager* GetExplosionManager() const { return m_explosions.get(); }
    const VelkorEngine::AnimationControl* GetAnimation() const { return m_animation.get(); }
    // Null for an id no block of the level has any more.
    Block* FindBlock(u32 blockId) const;

private:
    void AddBlock(u32 index);
    void LinkSupports();
    void CreateFragmentSets();
    void StartAnimation();
    void RemoveDestroyed();
    void UpdateBlocks(f32 dt);

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    VelkorEngine::TimerManager* m_timers = nullptr;
    GameTools::DataKeeper* m_resources = nullptr;
    GameLogicData* m_level = nullptr;
    Effects* m_effects = nullptr;
    GameFramework::ScoreKeeper* m_scores = nullptr;
    GameFramework::GameSoundPlayer* m_sounds = nullptr;

    std::unique_ptr<ExplosionManager> m_explosions;
    // Ordinary bricks take turns with their three crash sounds across the level.
    u32 m_crashCounter = 0;
    BlockStack m_stack;
    std::unique_ptr<BlastSchedule> m_blasts;
    std::vector<std::unique_ptr<Block>> m_blocks;
    std::vector<Brick*> m_bricks;
    std::vector<Block*> m_ballKeepers;
    BallManager* m_balls = nullptr;
    BonusManager* m_bonuses = nullptr;
    std::unique_ptr<VelkorEngine::AnimationControl> m_animation;
    i32 m_remaining = 0;
    i32 m_initial = 0;
    bool m_paused = false;
};
}
