// The two pools of bolts.
#include "game/play/BulletManager.h"

#include "game/play/Gun.h"

using namespace VelkorEngine;

namespace Korvane
{
BulletManager::BulletManager(Engine* engine, GameTools::DataKeeper* resources, GameGeometry* geometry,
                             const GameField* field, Effects* effects, GameFramework::GameSoundPlayer* sounds)
    : m_services{engine, resources, geometry, field, effects, sounds}
{
    for (u32 type = 0; type < GunType::Count; ++type)
    {
        std::vector<Bullet*>& pool = type == GunType::Arbalet ? m_arbaletPool : m_ballistaPool;
        for (u32 i = 0; i < GunSpec::Of(type).poolSize; ++i)
        {
            m_bullets.push_back(std::make_unique<Bullet>(m_services, type));
            pool.push_back(m_bullets.back().get());
        }
    }
}

BulletManager::~BulletManager() = default;

Bullet* BulletManager::FireArbalet(const Matrix4& gunMatrix)
{
    return Fire(GunType::Arbalet, gunMatrix);
}

Bullet* BulletManager::FireBallista(const Matrix4& gunMatrix)
{
    return Fire(GunType::Ballista, gunMatrix);
}

Bullet* BulletManager::Fire(u32 type, const Matrix4& gunMatrix)
{
    if (type >= GunType::Count)
        return nullptr;
    Bullet* bullet = TakeBullet(GetPool(type));
    if (bullet != nullptr)
        bullet->Fire(gunMatrix);
    return bullet;
}

void BulletManager::Update(f32 activity)
{
    for (auto& bullet : m_bullets)
        bullet->Update(activity);
}

void BulletManager::SetPaused(bool paused)
{
    m_paused = paused;
    for (auto& bullet : m_bullets)
        bullet->SetPaused(paused);
}

const std::vector<Bullet*>& BulletManager::GetPool(u32 type) const
{
    return type == GunType::Ballista ? m_ballistaPool : m_arbaletPool;
}

// A free bolt, else the last one that has already hit and only shows its effects; none while all still fly.
Bullet* BulletManager::TakeBullet(const std::vector<Bullet*>& pool) const
{
    for (Bullet* bullet : pool)
        if (!bullet->IsActive())
            return bullet;
    for (auto it = pool.rbegin(); it != pool.rend(); ++it)
        if ((*it)->HasHit())
            return *it;
    return nullptr;
}
}
