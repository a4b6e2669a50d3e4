// Pools of explosions and their pieces.
#include "game/play/ExplosionManager.h"

#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "game/play/Block.h"
#include "game/play/Fragment.h"
#include "game/play/FragmentFlight.h"
#include "game/play/GameLogicData.h"

namespace Korvane
{
namespace
{
// Ages this small mean an explosion started in this very frame; it is not taken over.
constexpr f32 kLeastAge = 0.0001f;
}

Explosion::Explosion(VelkorEngine::Engine* engine, GameTools::DataKeeper* keeper, Effects* effects,
                     const std::string& name, u32 fragmentCount, bool real, const FragmentFlight::Settings& settings)
{
    m_fragments.reserve(fragmentCount);
    for (u32 i = 0; i < fragmentCount; ++i)
        m_fragments.push_back(std::make_unique<Fragment>(engine, keeper, effects,
                                                         name + "/" + VelkorEngine::UIntToString(i, 2), real, settings));
}

Explosion::~Explosion() = default;

void Explosion::Start(const VelkorEngine::Model& blockModel, bool shadow)
{
    for (const auto& fragment : m_fragments)
        fragment->Start(blockModel, shadow);
    m_active = true;
    m_age = 0.0f;
}

void Explosion::Update(f32 dt)
{
    if (!m_active)
        return;
    m_age += dt;
    bool flying = false;
    for (const auto& fragment : m_fragments)
    {
        fragment->Update(dt);
        flying = flying || fragment->IsFlying();
    }
    m_active = flying;
}

ExplosionManager::ExplosionManager(VelkorEngine::Engine* engine, GameLogicData* level, Effects* effects)
    : m_engine(engine), m_timers(engine->GetTimerManager()), m_level(level), m_effects(effects)
{
}

ExplosionManager::~ExplosionManager() = default;

i32 ExplosionManager::CreateFragmentSet(const std::string& name, u32 fragmentCount, bool real, u32 blocksUsingIt)
{
    const u32 pool = ExplosionPoolSize(blocksUsingIt);
    for (u32 i = 0; i < pool; ++i)
        m_entries.emplace_back(m_nextSet,
                               std::make_unique<Explosion>(m_engine, m_level, m_effects, name, fragmentCount, real));
    return m_nextSet++;
}

void ExplosionManager::OnBlockRemoved(const Block& block)
{
    if (block.GetFragmentSet() < 0)
        return;
    if (Explosion* explosion = Choose(block.GetFragmentSet()))
        explosion->Start(*block.GetModel(), block.CastsShadow());
}

Explosion* ExplosionManager::Choose(i32 set) const
{
    Explosion* oldest = nullptr;
    for (const auto& [id, explosion] : m_entries)
    {
        if (id != set)
            continue;
        if (!explosion->IsActive())
            return explosion.get();
        if (explosion->GetAge() > kLeastAge && (oldest == nullptr || explosion->GetAge() > oldest->GetAge()))
            oldest = explosion.get();
    }
    return oldest;
}

void ExplosionManager::Update()
{
    const f32 dt = m_timers->GetFrameTime();
    for (const auto& entry : m_entries)
        entry.second->Update(dt);
}

std::vector<Explosion*> ExplosionManager::GetSet(i32 id) const
{
    std::vector<Explosion*> set;
    for (const auto& [entryId, explosion] : m_entries)
        if (entryId == id)
            set.push_back(explosion.get());
    return set;
}
}
