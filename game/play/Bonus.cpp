// A bonus's fall, its glow and its catch.
#include "game/play/Bonus.h"

#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/core/TimerManager.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroup.h"
#include "framework/DataKeeper.h"
#include "game/play/ModelPlacement.h"

namespace Korvane
{
using namespace VelkorEngine;

Bonus::Bonus(Engine* engine, GameTools::DataKeeper* resources, SpriteGroup* glows, u32 kind, Model* model,
             const Color& glowColor)
    : m_engine(engine), m_glows(glows), m_kind(kind), m_model(model), m_glowColor(glowColor)
{
    ParticleSystem* source = resources != nullptr ? resources->GetParticleSystem("bonuses/catch") : nullptr;
    if (source == nullptr)
        return;
    m_catchEffect = engine->GetParticleSystemManager()->CreateParticleSystemCopy(*source);
    if (m_catchEffect == nullptr)
        return;
    m_catchEffect->SetVisible(false);
    m_catchEffect->active = 0;
}

Bonus::~Bonus()
{
    ReleaseGlow();
    if (m_catchEffect != nullptr)
        m_engine->GetParticleSystemManager()->DeleteParticleSystem(m_catchEffect);
}

void Bonus::Start(const Vector2& position)
{
    if (m_alive)
        return;
    m_position = position;
    m_alive = true;
    m_caught = false;
    if (m_glows != nullptr && m_glows->GetFreeCount() > 0)
    {
        m_glowSprite = m_glows->AddSprite(GetPosition(), GlowSize, m_glowColor);
        m_hasGlow = true;
    }
    if (m_model->animation != nullptr)
        m_model->animation->Start();
    m_model->SetFlags(ModelFlags::Visible);
    UpdateMatrix();
}

void Bonus::Update(f32 activity)
{
    if (!m_alive)
        return;
    if (m_caught)
        WaitForSparks();
    else
        Fall(m_engine->GetTimerManager()->GetFrameTime() * activity);
}

void Bonus::Fall(f32 step)
{
    m_position.y -= FallSpeed * step;
    m_spin += SpinSpeed * step;
    UpdateMatrix();
    if (m_hasGlow)
        if (Sprite* glow = m_glows->GetSprite(m_glowSprite))
            glow->position = GetPosition();
    if (m_position.y < LostBelow)
    {
        m_alive = false;
        ReleaseGlow();
    }
}

void Bonus::WaitForSparks()
{
    if (m_catchEffect == nullptr)
    {
        m_alive = false;
        return;
    }
    if (m_catchEffect->IsSpent())
    {
        m_alive = false;
        m_catchEffect->SetVisible(false);
    }
}

void Bonus::Catch()
{
    m_caught = true;
    m_model->ClearFlags(ModelFlags::Visible);
    ReleaseGlow();
    if (m_catchEffect == nullptr)
        return;
    m_catchEffect->SetPosition(GetPosition());
    m_catchEffect->time = 0.0f;
    m_catchEffect->active = 1;
    m_catchEffect->SetVisible(true);
    if (Model* sparks = m_catchEffect->GetModel())
        sparks->depthOffset = CatchEffectSortBias;
}

BoundingVolume Bonus::GetBounds() const
{
    return m_model->bounds;
}

void Bonus::UpdateMatrix()
{
    Matrix4 place;
    MakeTranslationMatrix(place, GetPosition());
    Matrix4 spin;
    MakeRotationZMatrix(spin, m_spin);
    m_model->worldMatrix = place * spin;
    PlaceBounds(*m_model);
}

void Bonus::ReleaseGlow()
{
    if (!m_hasGlow)
        return;
    m_glows->ReleaseSprite(m_glowSprite);
    m_hasGlow = false;
}
}
