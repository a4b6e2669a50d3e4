// When bonuses appear, which ones, and their models and glows.
#include "game/play/BonusManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroup.h"
#include "engine/scene/SpriteGroupManager.h"
#include "framework/DataKeeper.h"
#include "framework/GameSoundPlayer.h"
#include "game/play/Bonus.h"
#include "game/play/Effects.h"

#include <algorithm>
#include <utility>

namespace Korvane
{
using namespace VelkorEngine;

namespace
{
const Color kBlue{0.0f, 144.0f / 255.0f, 1.0f, 1.0f};
const Color kRed{1.0f, 66.0f / 255.0f, 0.0f, 1.0f};
const Color kYellow{1.0f, 216.0f / 255.0f, 0.0f, 1.0f};
// The end-of-level sparkle sorts in front of the glows, nearer ones more so.
constexpr f32 kEndLevelSortPerDistance = 0.0004f;
}

const std::array<BonusManager::Kind, BonusManager::KindCount>& BonusManager::Kinds()
{
    static const std::array<Kind, KindCount> kinds{{{"life", 4, kBlue},
                                                    {"bat_increase", 7, kBlue},
                                                    {"bat_decrease", 6, kRed},
                                                    {"balls_speed_up", 9, kRed},
                                                    {"balls_slow_down", 8, kBlue},
                                                    {"balls_split", 16, kBlue},
                                                    {"balls_super", 10, kBlue},
                                                    {"barrier", 13, kBlue},
                                                    {"arbalest", 18, kYellow},
                                                    {"ballista", 11, kYellow},
                                                    {"hammer", 12, kYellow}}};
    return kinds;
}

BonusManager::BonusManager(Engine* engine, GameTools::DataKeeper* resources, Effects* effects,
                           GameFramework::GameSoundPlayer* sounds)
    : m_engine(engine), m_models(engine->GetModelManager()), m_resources(resources), m_effects(effects),
      m_sounds(sounds), m_countdown(RandomFloatRange(FirstCountdownLow, FirstCountdownHigh))
{
    for (u32 kind = 0; kind < KindCount; ++kind)
        m_selecter.Add(kind, Kinds()[kind].weight);
    CreatePool();
    CreateGlows();
}

// Bonuses still falling give their models back first, so that none stays behind in the model manager.
BonusManager::~BonusManager()
{
    for (auto& bonus : m_bonuses)
    {
        Model* model = bonus->GetModel();
        const u32 kind = bonus->GetKind();
        bonus.reset();
        GiveBackModel(kind, model);
    }
    m_bonuses.clear();
    if (m_glows != nullptr)
        m_engine->GetSpriteGroupManager()->DeleteSpriteGroup(m_glows);
    for (Model* model : m_pool)
        if (model != nullptr)
            m_models->DeleteModel(model);
}

void BonusManager::CreatePool()
{
    for (u32 kind = 0; kind < KindCount; ++kind)
    {
        const Model* source = m_resources->GetModel("bonuses/" + GetBonusName(kind));
        if (source == nullptr)
            continue;
        for (u32 instance = 0; instance < ModelsPerKind; ++instance)
        {
            Model* copy = m_models->CreateModelCopy(*source, nullptr, 0);
            copy->ClearFlags(ModelFlags::Visible);
            m_pool[kind * ModelsPerKind + instance] = copy;
        }
    }
}

void BonusManager::CreateGlows()
{
    const ShaderUser* flare = m_resources->GetShaderUser("bonuses/flare");
    m_glows = m_engine->GetSpriteGroupManager()->CreateSpriteGroup(GlowCapacity, flare, nullptr);
    if (m_glows != nullptr && m_glows->GetModel() != nullptr)
        m_glows->GetModel()->depthOffset = GlowSortBias;
}

std::string BonusManager::GetBonusName(u32 kind)
{
    return kind < KindCount ? Kinds()[kind].name : "";
}

u32 BonusManager::LifeWeight(i32 lifeWeightSelector)
{
    if (lifeWeightSelector == 0)
        return 28;
    if (lifeWeightSelector == 1)
        return 16;
    return Kinds()[KindLife].weight;
}

u32 BonusManager::ChooseKind()
{
    m_selecter.SetWeight(KindLife, LifeWeight(m_lifeWeightSelector));
    return m_selecter.Pick();
}

void BonusManager::Update(bool ballInPlay, i32 lifeWeightSelector, f32 activity)
{
    if (m_paused)
        return;
    const f32 dt = m_engine->GetTimerManager()->GetFrameTime();
    if (ballInPlay)
        m_countdown -= dt * activity;
    m_lifeWeightSelector = lifeWeightSelector;
    RunHammerTimer(dt, activity);
    for (const auto& bonus : m_bonuses)
        bonus->Update(activity);
    RemoveEnded();
}

void BonusManager::RunHammerTimer(f32 dt, f32 activity)
{
    if (m_hammerTimer < 0.0f || activity < FullActivity)
        return;
    m_hammerTimer -= dt * activity;
    if (m_hammerTimer >= 0.0f)
        return;
    m_hammerArmed = true;
    SpawnBonus(Vector2(0.0f, 0.0f), KindHammer);
    StartEndLevelEffect();
}

void BonusManager::StartEndLevelEffect()
{
    const ParticleSystem* source = m_resources->GetParticleSystem("bonuses/end_level_creation");
    if (source == nullptr)
        return;
    ParticleSystem* copy = m_engine->GetParticleSystemManager()->CreateParticleSystemCopy(*source);
    if (copy == nullptr)
        return;
    const Vector3 place(0.0f, 0.0f, EndLevelEffectHeight);
    copy->SetPosition(place);
    if (Model* sparks = copy->GetModel())
    {
        // The play's view: the current camera, between frames, is whichever drew the last GUI model.
        const Camera* camera = m_engine->GetCameraManager()->GetDefaultCamera();
        const f32 distance = camera != nullptr ? (place - camera->position).Length() : 0.0f;
        sparks->depthOffset = GlowSortBias - kEndLevelSortPerDistance * distance;
    }
    m_effects->AddEffect(copy);
}

void BonusManager::OnBrickDestroyed(const Vector2& position)
{
    if (m_countdown < 0.0f)
    {
        SpawnBonus(position, RandomKind);
        m_countdown = RandomFloatRange(NextCountdownLow, NextCountdownHigh);
    }
    else
        m_countdown *= CountdownKeptPerBrick;
}

Bonus* BonusManager::SpawnBonus(const Vector2& position, u32 kind)
{
    if (kind >= KindCount)
        kind = ChooseKind();
    Model* model = TakeModel(kind);
    if (model == nullptr)
        return nullptr;
    m_bonuses.push_back(std::make_unique<Bonus>(m_engine, m_resources, m_glows, kind, model, Kinds()[kind].glow));
    Bonus* bonus = m_bonuses.back().get();
    bonus->Start(position);
    if (m_sounds != nullptr)
        m_sounds->PlaySound(SoundCreation);
    return bonus;
}

// The kind's first pooled model, or a copy of its own when both are in use.
Model* BonusManager::TakeModel(u32 kind)
{
    for (u32 instance = 0; instance < ModelsPerKind; ++instance)
    {
        Model*& slot = m_pool[kind * ModelsPerKind + instance];
        if (slot != nullptr)
            return std::exchange(slot, nullptr);
    }
    const Model* source = m_resources->GetModel("bonuses/" + GetBonusName(kind));
    return source != nullptr ? m_models->CreateModelCopy(*source, nullptr, 0) : nullptr;
}

void BonusManager::GiveBackModel(u32 kind, Model* model)
{
    model->ClearFlags(ModelFlags::Visible);
    for (u32 instance = 0; instance < ModelsPerKind; ++instance)
    {
        Model*& slot = m_pool[kind * ModelsPerKind + instance];
        if (slot == nullptr)
        {
            slot = model;
            return;
        }
    }
    m_models->DeleteModel(model);
}

void BonusManager::Catch(u32 index)
{
    if (index < m_bonuses.size())
        m_bonuses[index]->Catch();
}

void BonusManager::ArmHammerTimer()
{
    if (!m_hammerArmed)
        return;
    m_hammerArmed = false;
    m_hammerTimer = HammerInterval;
}

void BonusManager::RemoveEnded()
{
    for (auto& bonus : m_bonuses)
    {
        if (bonus->IsAlive())
            continue;
        GiveBackModel(bonus->GetKind(), bonus->GetModel());
        bonus.reset();
    }
    m_bonuses.erase(std::remove(m_bonuses.begin(), m_bonuses.end(), nullptr), m_bonuses.end());
}
}
