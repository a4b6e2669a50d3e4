// The bat's models, shadows, pieces and pose.
#include "game/play/Bat.h"

#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/DataKeeper.h"
#include "framework/GameSoundPlayer.h"
#include "game/play/Bounce.h"
#include "game/play/Effects.h"
#include "game/play/ExplosionManager.h"
#include "game/play/ModelPlacement.h"
#include "game/play/Shadow.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr const char* kPartNames[] = {"head", "body", "screw"};
// Keeps the destruction effect in front of the pieces it throws.
constexpr f32 kDestructionDepthKey = -0.299f;
constexpr f32 kStopped = 0.0001f;
// The screw is authored about its own axis and sits behind the body, a little above the floor.
const Vector3 kScrewOffset(0.0f, -7.0f, 1.5f);

BoundingVolume WorldBox(const Model& model)
{
    return model.bounds;
}
}

Bat::Bat(Engine* engine, GameTools::DataKeeper* resources, Effects* effects, GameFramework::GameSoundPlayer* sounds,
         const Vector2* cursor)
    : m_engine(engine), m_modelManager(engine->GetModelManager()), m_effects(effects), m_sounds(sounds),
      m_cursor(cursor != nullptr ? cursor : &engine->GetGUIManager()->GetCursorPosition())
{
    FragmentFlight::Settings settings;
    settings.sinkDelay = FragmentSinkDelay;
    for (u32 part = 0; part < PartCount; ++part)
    {
        const std::string name = kPartNames[part];
        m_parts[part] = m_modelManager->CreateModelCopy(*resources->GetModel("bat/" + name), nullptr, 0);
        m_shadows[part] = effects->GetShadow(effects->AddShadow(nullptr, m_parts[part], true));
        m_explosions[part] = std::make_unique<Explosion>(engine, resources, effects, "bat/fragments/" + name,
                                                         FragmentsPerPart, true, settings);
    }
    if (ParticleSystem* destruction = resources->GetParticleSystem("bat/destruction"))
        m_destruction = engine->GetParticleSystemManager()->CreateParticleSystemCopy(*destruction);
    if (m_destruction != nullptr)
    {
        m_destruction->active = 0;
        m_destruction->SetVisible(false);
    }
    Reset();
}

Bat::~Bat()
{
    for (auto& explosion : m_explosions)
        explosion.reset();
    for (u32 part = 0; part < PartCount; ++part)
    {
        if (m_shadows[part] != nullptr)
            m_effects->RemoveShadow(m_shadows[part]);
        m_modelManager->DeleteModel(m_parts[part]);
    }
    if (m_destruction != nullptr)
        m_engine->GetParticleSystemManager()->DeleteParticleSystem(m_destruction);
}

void Bat::Reset()
{
    m_motion.Reset();
    Show(true);
    ApplyPose();
}

void Bat::Show(bool shown)
{
    for (u32 part = 0; part < PartCount; ++part)
    {
        if (shown)
            m_parts[part]->SetFlags(ModelFlags::Visible);
        else
            m_parts[part]->ClearFlags(ModelFlags::Visible);
        if (m_shadows[part] != nullptr)
            m_shadows[part]->Show(shown);
    }
}

bool Bat::IsHidden() const
{
    return (m_parts[Head]->flags & ModelFlags::Visible) == 0;
}

BoundingVolume Bat::GetHeadBounds() const
{
    return WorldBox(*m_parts[Head]);
}

BoundingVolume Bat::GetBodyBounds() const
{
    return WorldBox(*m_parts[Body]);
}

f32 Bat::GetHeadHalfWidth() const
{
    const BoundingVolume box = GetHeadBounds();
    return 0.5f * (box.GetWorldMaximum().x - box.GetWorldMinimum().x);
}

Vector2 Bat::GetBounceDirection(const Vector3& point) const
{
    return Bounce::OffBatHead(point.x, GetHeadBounds().GetCenter().x, GetHeadHalfWidth());
}

void Bat::Destroy()
{
    if (m_sounds != nullptr)
        m_sounds->PlaySound(SoundDestruction);
    for (u32 part = 0; part < PartCount; ++part)
        m_explosions[part]->Start(*m_parts[part], true);
    if (m_destruction != nullptr)
    {
        m_destruction->SetPosition(GetBodyBounds().GetCenter());
        m_destruction->time = 0.0f;
        m_destruction->active = 1;
        m_destruction->SetVisible(true);
        if (Model* model = m_destruction->GetModel())
            model->depthOffset = kDestructionDepthKey;
    }
    for (auto& explosion : m_explosions)
        explosion->Update(0.0f);
    Show(false);
}

void Bat::Update(f32 activity)
{
    const f32 dt = m_engine->GetTimerManager()->GetFrameTime();
    if (IsHidden() && IsReady())
        UpdateAfterDestruction(dt);
    HideSpentDestruction();
    // The half width the cursor clamp keeps inside the range is the one shown now, the width bonuses included.
    const f32 halfWidth = GetHeadHalfWidth();
    if (m_motion.Update(dt, activity > kStopped, m_cursor->x, halfWidth) && m_sounds != nullptr)
        m_sounds->PlaySound(SoundCreation);
    ApplyPose();
}

void Bat::UpdateAfterDestruction(f32 dt)
{
    bool running = false;
    for (auto& explosion : m_explosions)
    {
        explosion->Update(dt);
        running = running || explosion->IsActive();
    }
    if (running)
        return;
    m_motion.SetReady(false);
}

// Only once its last splinter has died: a hidden system stands still, and its splinters would show again at the
// next destruction's place.
void Bat::HideSpentDestruction()
{
    if (m_destruction != nullptr && m_destruction->IsSpent())
        m_destruction->SetVisible(false);
}

// Head and body roll with the tilt; the screw also spins with the wobble; the head is stretched to its width.
void Bat::ApplyPose()
{
    const Matrix4 place = TranslationMatrix(m_motion.GetWorldPosition());
    Matrix4 tilt;
    MakeRotationYMatrix(tilt, m_motion.GetTiltAngle());
    Matrix4 spin;
    MakeRotationZMatrix(spin, m_motion.GetWobblePhase());
    Matrix4 width;
    MakeScalingMatrix(width, Vector3(m_motion.GetHeadScale(), 1.0f, 1.0f));
    m_parts[Head]->worldMatrix = place * tilt * width;
    m_parts[Body]->worldMatrix = place * tilt;
    m_parts[Screw]->worldMatrix = TranslationMatrix(m_motion.GetWorldPosition() + kScrewOffset) * tilt * spin;
    for (u32 part = 0; part < PartCount; ++part)
    {
        PlaceBounds(*m_parts[part]);
        if (part == 0)
            m_bounds = m_parts[part]->bounds;
        else
            m_bounds.Merge(m_parts[part]->bounds);
    }
}
}
