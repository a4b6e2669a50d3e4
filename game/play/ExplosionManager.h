// The pieces broken blocks fly apart into. Every kind of block with pieces of its own gets a small pool of
// explosions (a fragment set); a destroyed block of that kind takes an idle explosion of its set, or restarts
// the oldest one when all are busy.
#pragma once

#include "engine/core/Types.h"
#include "game/play/FragmentFlight.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace VelkorEngine
{
class Engine;
class Model;
class TimerManager;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Block;
class Effects;
class Fragment;
class GameLogicData;
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u32;

// The pieces of one broken block, launched together.
class Explosion
{
public:
    // The pieces are the keeper's models name + "/00" and on.
    Explosion(VelkorEngine::Engine* engine, GameTools::DataKeeper* keeper, Effects* effects, const std::string& name,
              u32 fragmentCount, bool real, const FragmentFlight::Settings& settings = {});
    virtual ~Explosion();

    Explosion(const Explosion&) = delete;
    Explosion& operator=(const Explosion&) = delete;

    void Start(const VelkorEngine::Model& blockModel, bool shadow);
    // Idle again once no piece flies any more.
    void Update(f32 dt);

    bool IsActive() const { return m_active; }
    f32 GetAge() const { return m_age; }
    const std::vector<std::unique_ptr<Fragment>>& GetFragments() const { return m_fragments; }

private:
    std::vector<std::unique_ptr<Fragment>> m_fragments;
    bool m_active = false;
    f32 m_age = 0.0f;
};

class ExplosionManager
{
public:
    ExplosionManager(VelkorEngine::Engine* engine, GameLogicData* level, Effects* effects);
    virtual ~ExplosionManager();

    ExplosionManager(const ExplosionManager&) = delete;
    ExplosionManager& operator=(const ExplosionManager&) = delete;

    // name: "geometry/" + kind + "/fragments"; real: the kind's own pieces, else common ones wearing its
    // texture. Returns the set's id.
    i32 CreateFragmentSet(const std::string& name, u32 fragmentCount, bool real, u32 blocksUsingIt);
    // A removed block with pieces breaks into them.
    void OnBlockRemoved(const Block& block);
    void Update();

    // The explosions of one set, in pool order.
    std::vector<Explosion*> GetSet(i32 id) const;

private:
    Explosion* Choose(i32 set) const;

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::TimerManager* m_timers = nullptr;
    GameLogicData* m_level = nullptr;
    Effects* m_effects = nullptr;
    i32 m_nextSet = 0;
    std::vector<std::pair<i32, std::unique_ptr<Explosion>>> m_entries;
};
}
