// The bonuses of a level: when one appears (a countdown that runs while a ball is free and shrinks with every
// destroyed brick) and of which kind (a weighted random choice that favours an extra life when lives run
// short), the falling bonuses themselves with a pool of their models and a group of glow sprites, and the
// hammer bonuses that drop from the middle of the field when only a few bricks are left.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "framework/RandomSelecter.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class SpriteGroup;
}

namespace GameFramework
{
class GameSoundPlayer;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Bonus;
class Effects;
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u32;

class BonusManager
{
public:
    static constexpr u32 KindCount = 11;
    // Asks SpawnBonus for a kind chosen at random.
    static constexpr u32 RandomKind = 11;
    static constexpr u32 KindLife = 0;
    static constexpr u32 KindHammer = 10;
    static constexpr u32 ModelsPerKind = 2;
    static constexpr u32 GlowCapacity = 100;
    static constexpr f32 GlowSortBias = -0.3f;
    static constexpr u32 SoundCreation = 22;
    // Seconds of free play before the first bonus, and after each one.
    static constexpr f32 FirstCountdownLow = 6.0f;
    static constexpr f32 FirstCountdownHigh = 9.0f;
    static constexpr f32 NextCountdownLow = 8.0f;
    static constexpr f32 NextCountdownHigh = 12.0f;
    // Every destroyed brick takes this share off the countdown.
    static constexpr f32 CountdownKeptPerBrick = 0.96f;
    // Seconds between hammer bonuses once few bricks are left, counted only at full activity.
    static constexpr f32 HammerInterval = 8.5f;
    static constexpr f32 FullActivity = 0.9999f;
    static constexpr f32 EndLevelEffectHeight = 5.0f;

    struct Kind
    {
        const char* name;
        u32 weight;
        VelkorEngine::Color glow;
    };
    static const std::array<Kind, KindCount>& Kinds();

    // sounds: none plays without a player.
    BonusManager(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, Effects* effects,
                 GameFramework::GameSoundPlayer* sounds);
    virtual ~BonusManager();

    BonusManager(const BonusManager&) = delete;
    BonusManager& operator=(const BonusManager&) = delete;

    // lifeWeightSelector: the lives left, which make an extra life likelier when they run short.
    void Update(bool ballInPlay, i32 lifeWeightSelector, f32 activity);
    // A brick was destroyed at this place: a bonus falls from it when the countdown has run out.
    void OnBrickDestroyed(const VelkorEngine::Vector2& position);
    // kind: one of the table's, or RandomKind. Returns the new bonus.
    Bonus* SpawnBonus(const VelkorEngine::Vector2& position, u32 kind);
    // The bonus at this index of the active list was caught by the bat.
    void Catch(u32 index);
    // Starts the hammer timer unless it already runs.
    void ArmHammerTimer();
    void SetPaused(bool paused) { m_paused = paused; }
    // The table's name; empty past it.
    static std::string GetBonusName(u32 kind);
    // The weight of an extra life for the lives left: likelier with none or one.
    static u32 LifeWeight(i32 lifeWeightSelector);
    // Chooses a kind by the weights, the extra life's set for the lives left.
    u32 ChooseKind();

    const std::vector<std::unique_ptr<Bonus>>& GetBonuses() const { return m_bonuses; }
    f32 GetCountdown() const { return m_countdown; }
    void SetCountdown(f32 seconds) { m_countdown = seconds; }
    f32 GetHammerTimer() const { return m_hammerTimer; }
    bool IsHammerTimerArmed() const { return m_hammerArmed; }
    bool IsPaused() const { return m_paused; }
    const GameFramework::RandomSelecter& GetSelecter() const { return m_selecter; }
    VelkorEngine::SpriteGroup* GetGlows() const { return m_glows; }
    // The pooled model of the slot (kind × 2 + instance), null while in use.
    VelkorEngine::Model* GetPoolModel(u32 slot) const { return m_pool[slot]; }

private:
    VelkorEngine::Model* TakeModel(u32 kind);
    void GiveBackModel(u32 kind, VelkorEngine::Model* model);
    void CreateGlows();
    void CreatePool();
    void RunHammerTimer(f32 dt, f32 activity);
    void StartEndLevelEffect();
    void RemoveEnded();

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::ModelManager* m_models = nullptr;
    GameTools::DataKeeper* m_resources = nullptr;
    Effects* m_effects = nullptr;
    GameFramework::GameSoundPlayer* m_sounds = nullptr;
    f32 m_countdown = 0.0f;
    i32 m_lifeWeightSelector = 10;
    bool m_hammerArmed = true;
    // Below 0 while not running.
    f32 m_hammerTimer = -1.0f;
    VelkorEngine::SpriteGroup* m_glows = nullptr;
    GameFramework::RandomSelecter m_selecter;
    std::array<VelkorEngine::Model*, KindCount * ModelsPerKind> m_pool{};
    std::vector<std::unique_ptr<Bonus>> m_bonuses;
    bool m_paused = false;
};
}
