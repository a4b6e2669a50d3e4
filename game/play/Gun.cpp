// A gun's charges, its clock and its shots.
#include "game/play/Gun.h"

#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/core/TimerManager.h"
#include "engine/scene/Model.h"
#include "framework/DataKeeper.h"
#include "game/play/Bat.h"
#include "game/play/BulletManager.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// Resource names say "arbalet"; the bonus and its sounds say "arbalest".
constexpr GunSpec kGuns[GunType::Count] = {
    {"arbalet", 30, 80.0f, 1.4f, 0.1f, false, 24, 26, {0, 33, 33, 40, 33, 33, 33, 0}},
    {"ballista", 20, 70.0f, 1.0f, 0.17f, true, 25, 27, {0, 19, 19, 25, 25, 25, 19, 0}},
};
}

const GunSpec& GunSpec::Of(u32 type)
{
    return kGuns[type < GunType::Count ? type : GunType::Arbalet];
}

std::string GunSpec::ResourceName(const char* what) const
{
    return std::string("guns/") + name + "/" + what;
}

Gun::Gun(Engine* engine, const Bat* bat, BulletManager* bullets, Effects* effects, GameTools::DataKeeper* resources,
         u32 type)
    : m_timers(engine->GetTimerManager()), m_bat(bat), m_bullets(bullets),
      m_type(type < GunType::Count ? type : GunType::Arbalet)
{
    const GunSpec& spec = GunSpec::Of(m_type);
    m_interval = spec.interval;
    // So that a gun armed at once may fire at once.
    m_lastShotTime = -m_interval;
    m_part = std::make_unique<GunPart>(engine->GetModelManager(), effects, *resources->GetModel(spec.ResourceName("gun")),
                                       *resources->GetModel(spec.ResourceName("bullet")), spec.clips);
}

Gun::~Gun() = default;

void Gun::AddCharges(i32 n)
{
    if (n <= 0)
        return;
    if (m_charges == 0)
    {
        m_part->Raise();
        m_shotsFired = 0;
    }
    m_charges += n;
}

void Gun::RequestFire()
{
    if (m_charges > 0)
        m_fireRequested = true;
}

void Gun::Remove()
{
    m_part->Hide();
    m_charges = 0;
}

void Gun::Update()
{
    m_clock += m_timers->GetFrameTime();
    if (m_part->IsShown())
        m_part->Update(BatMatrix());
    if (!m_blocked && m_fireRequested && MayFire())
        Fire();
    m_fireRequested = false;
}

bool Gun::MayFire() const
{
    return m_charges > 0 && m_clock >= m_lastShotTime + m_interval;
}

// The charge is spent even when every bolt of the pool is still in the air.
void Gun::Fire()
{
    m_lastShotTime = m_clock;
    --m_charges;
    m_part->Fire(m_charges == 0);
    ++m_shotsFired;
    m_bullets->Fire(m_type, BatMatrix());
}

// The bat's place and tilt without the head's stretch, which the gun must not take.
const Matrix4& Gun::BatMatrix() const
{
    return m_bat->GetBody()->worldMatrix;
}
}
