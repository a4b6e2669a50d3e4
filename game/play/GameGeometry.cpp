// Building, animating and thinning out the level's blocks.
#include "game/play/GameGeometry.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/scene/AnimationControl.h"
#include "game/play/BallKeeper.h"
#include "game/play/Block.h"
#include "game/play/BlockDatabase.h"
#include "game/play/Brick.h"
#include "game/play/BrickDurability.h"
#include "game/play/ExplosionManager.h"
#include "game/play/GameLogicData.h"

#include <algorithm>

namespace Korvane
{
namespace
{
template <typename T>
void EraseFrom(std::vector<T*>& list, const Block* block)
{
    list.erase(std::remove(list.begin(), list.end(), block), list.end());
}
}

GameGeometry::GameGeometry(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, GameLogicData* level,
                           Effects* effects, GameFramework::ScoreKeeper* scores,
                           GameFramework::GameSoundPlayer* sounds)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_timers(engine->GetTimerManager()),
      m_resources(resources), m_level(level), m_effects(effects), m_scores(scores), m_sounds(sounds),
      m_explosions(std::make_unique<ExplosionManager>(engine, level, effects))
{
}

// The blocks go first, while the effects that hold their shadows still exist.
GameGeometry::~GameGeometry()
{
    m_bricks.clear();
    m_ballKeepers.clear();
    m_blocks.clear();
    m_explosions.reset();
}

void GameGeometry::Build(BallManager* balls, BonusManager* bonuses)
{
    m_balls = balls;
    m_bonuses = bonuses;
    m_remaining = 0;
    const u32 count = static_cast<u32>(m_level->GetObjects().size());
    m_blocks.reserve(count);
    for (u32 i = 0; i < count; ++i)
        AddBlock(i);
    m_blasts = std::make_unique<BlastSchedule>(count);
    CreateFragmentSets();
    LinkSupports();
    StartAnimation();
    for (const auto& block : m_blocks)
        block->Activate();
    m_stack.Activate();
    m_initial = m_remaining;
    m_log->Message("...Blocks count: " + std::to_string(m_blocks.size()));
}

void GameGeometry::AddBlock(u32 index)
{
    const GeometryObject& object = m_level->GetObjects()[index];
    const BlockServices services{m_engine, m_resources, m_effects, this};
    const bool keeper = BlockDatabase::GetText(*object.description, "type", "") == "ball_keeper";
    if (keeper)
    {
        auto block = std::make_unique<BallKeeper>(services, object, index, m_balls, m_scores, m_sounds);
        m_ballKeepers.push_back(block.get());
        m_blocks.push_back(std::move(block));
    }
    else
    {
        auto brick = std::make_unique<Brick>(services, object, index, m_scores, m_sounds, &m_crashCounter,
                                             m_bonuses);
        if (brick->MustBeDestroyed())
            ++m_remaining;
        m_bricks.push_back(brick.get());
        m_blocks.push_back(std::move(brick));
    }
    const Block& added = *m_blocks.back();
    m_stack.AddBlock(added.GetHalfHeight(), added.Reacts());
}

// A record's supports and dependents say the same thing from both ends; either is enough for the stack.
void GameGeometry::LinkSupports()
{
    const std::vector<GeometryObject>& objects = m_level->GetObjects();
    for (u32 i = 0; i < objects.size(); ++i)
    {
        for (VelkorEngine::u16 support : objects[i].record.supports)
            m_stack.AddSupport(i, support);
        for (VelkorEngine::u16 dependent : objects[i].record.dependents)
            m_stack.AddSupport(dependent, i);
    }
}

// One pool of explosions for each kind with pieces of its own, sized by how many blocks use the kind.
void GameGeometry::CreateFragmentSets()
{
    std::vector<std::pair<const GameTools::XMLNode*, u32>> kinds;
    for (const auto& block : m_blocks)
    {
        const GameTools::XMLNode* description = &block->GetDescription();
        auto found = std::find_if(kinds.begin(), kinds.end(), [&](const auto& kind) { return kind.first == description; });
        if (found == kinds.end())
            kinds.emplace_back(description, 1);
        else
            ++found->second;
    }
    for (const auto& [description, users] : kinds)
    {
        const u32 count = GameLogicData::FragmentCount(*description);
        if (count == 0)
            continue;
        const std::string name = BlockDatabase::GetText(*description, "name", "");
        const bool real = !BlockDatabase::GetBool(*description, "fake_fragments", false);
        const i32 set = m_explosions->CreateFragmentSet("geometry/" + name + "/fragments", count, real, users);
        for (const auto& block : m_blocks)
            if (&block->GetDescription() == description)
                block->SetFragmentSet(set);
    }
}

void GameGeometry::StartAnimation()
{
    const u32 frames = std::max(m_level->GetKeyFrameCount(), 1u);
    m_animation = std::make_unique<VelkorEngine::AnimationControl>(m_log, m_timers, frames);
    m_animation->loop = 1;
    m_animation->time = 0.0f;
    m_animation->Start();
}

void GameGeometry::Update(f32 activity)
{
    if (m_paused)
        return;
    if (m_animation)
    {
        m_animation->speed = activity * m_level->GetKeyFrameSpeed();
        m_animation->Update();
    }
    RemoveDestroyed();
    UpdateBlocks(activity * m_timers->GetFrameTime());
    m_explosions->Update();
}

void GameGeometry::RemoveDestroyed()
{
    for (size_t i = 0; i < m_blocks.size();)
    {
        if (m_blocks[i]->IsAlive())
            ++i;
        else
            RemoveBlock(m_blocks[i].get());
    }
}

void GameGeometry::UpdateBlocks(f32 dt)
{
    for (u32 id : m_stack.Update(dt))
        if (Block* block = FindBlock(id))
            block->Appear();
    if (m_blasts)
        for (u32 id : m_blasts->Update(dt))
            if (Block* block = FindBlock(id))
                block->Destroy(DestroyKind::Super, false);
    const u32 frameA = m_animation ? m_animation->GetFrame() : 0;
    const u32 frameB = m_animation ? m_animation->GetNextFrame() : 0;
    const f32 blend = m_animation ? m_animation->GetBlend() : 0.0f;
    for (const auto& block : m_blocks)
    {
        const u32 id = block->GetId();
        block->Place(frameA, frameB, blend, block->Reacts() ? m_stack.GetFallOffset(id) : 0.0f);
        block->UpdateShadow(m_stack.GetSupports(id).empty());
    }
}

void GameGeometry::HitBlock(u32 index, u32 destroyKind)
{
    if (index < m_blocks.size())
        m_blocks[index]->Destroy(destroyKind, false);
}

void GameGeometry::RemoveBlock(Block* block)
{
    const auto found = std::find_if(m_blocks.begin(), m_blocks.end(),
                                    [block](const std::unique_ptr<Block>& owned) { return owned.get() == block; });
    if (found == m_blocks.end())
        return;
    if (Classify(block) == ClassBrick && static_cast<const Brick*>(block)->MustBeDestroyed())
        --m_remaining;
    EraseFrom(m_bricks, block);
    EraseFrom(m_ballKeepers, block);
    m_stack.Remove(block->GetId());
    m_explosions->OnBlockRemoved(*block);
    m_blocks.erase(found);
}

u32 GameGeometry::Classify(const Block* block) const
{
    if (std::find(m_bricks.begin(), m_bricks.end(), block) != m_bricks.end())
        return ClassBrick;
    if (std::find(m_ballKeepers.begin(), m_ballKeepers.end(), block) != m_ballKeepers.end())
        return ClassBallKeeper;
    return ClassOther;
}

void GameGeometry::Hop(u32 blockId)
{
    m_stack.Hop(blockId);
}

void GameGeometry::HopDependents(u32 blockId)
{
    const std::vector<u32> dependents = m_stack.GetDependents(blockId);
    for (u32 dependent : dependents)
        m_stack.Hop(dependent);
}

void GameGeometry::BlastFrom(u32 blockId)
{
    const u32 count = static_cast<u32>(m_level->GetObjects().size());
    std::vector<VelkorEngine::BoundingVolume> bounds(count);
    std::vector<VelkorEngine::u8> alive(count, 0);
    for (const auto& block : m_blocks)
    {
        bounds[block->GetId()] = block->GetBounds();
        alive[block->GetId()] = block->IsAlive() ? 1 : 0;
    }
    m_blasts->Blast(blockId, bounds, alive);
}

Block* GameGeometry::FindBlock(u32 blockId) const
{
    for (const auto& block : m_blocks)
        if (block->GetId() == blockId)
            return block.get();
    return nullptr;
}
}
