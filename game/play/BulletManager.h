// The bolts of both guns: a fixed pool per gun, made once, from which every shot takes a bolt that is not
// flying; all bolts move once a frame at the game's activity.
#pragma once

#include "engine/core/Types.h"
#include "game/play/Bullet.h"

#include <memory>
#include <vector>

namespace Korvane
{
class BulletManager
{
public:
    BulletManager(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, GameGeometry* geometry,
                  const GameField* field, Effects* effects, GameFramework::GameSoundPlayer* sounds);
    virtual ~BulletManager();

    BulletManager(const BulletManager&) = delete;
    BulletManager& operator=(const BulletManager&) = delete;

    // Each returns the bolt fired, or null when every bolt of the pool is still flying.
    Bullet* FireArbalet(const VelkorEngine::Matrix4& gunMatrix);
    Bullet* FireBallista(const VelkorEngine::Matrix4& gunMatrix);
    // By gun type; an unknown type fires nothing.
    Bullet* Fire(u32 type, const VelkorEngine::Matrix4& gunMatrix);
    void Update(f32 activity);
    void SetPaused(bool paused);

    const std::vector<Bullet*>& GetPool(u32 type) const;
    bool IsPaused() const { return m_paused; }

private:
    Bullet* TakeBullet(const std::vector<Bullet*>& pool) const;

    BulletServices m_services;
    std::vector<std::unique_ptr<Bullet>> m_bullets;
    std::vector<Bullet*> m_arbaletPool;
    std::vector<Bullet*> m_ballistaPool;
    bool m_paused = false;
};
}
