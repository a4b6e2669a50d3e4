// One of the two guns a bonus arms the bat with: the arbalest (type 0), quick with light bolts, and the ballista
// (type 1), slower with heavy bolts that pierce. The gun holds its charges, takes the player's requests to fire
// and fires at most once per interval of its own clock, through the bullet manager, from the bat's place.
#pragma once

#include "engine/core/Types.h"
#include "game/play/GunPart.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class Engine;
struct Matrix4;
class TimerManager;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Bat;
class BulletManager;
class Effects;
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u32;

namespace GunType
{
inline constexpr u32 Arbalet = 0;
inline constexpr u32 Ballista = 1;
inline constexpr u32 Count = 2;
}

// What tells the two guns apart.
struct GunSpec
{
    const char* name;
    u32 poolSize;
    f32 minimumSpeed;
    f32 launchFactor;
    f32 interval;
    bool piercing;
    u32 shotSound;
    u32 wallSound;
    GunClipTable clips;

    static const GunSpec& Of(u32 type);
    // "guns/" + name + "/" + what.
    std::string ResourceName(const char* what) const;
};

class Gun
{
public:
    // resources: the keeper of "guns/<name>/gun" and "guns/<name>/bullet". An unknown type is the arbalest.
    Gun(VelkorEngine::Engine* engine, const Bat* bat, BulletManager* bullets, Effects* effects,
        GameTools::DataKeeper* resources, u32 type);
    virtual ~Gun();

    Gun(const Gun&) = delete;
    Gun& operator=(const Gun&) = delete;

    // Nothing for n of 0 or less; an unarmed gun rises out of the bat first.
    void AddCharges(i32 n);
    // Marks a shot as wanted this frame; an unarmed gun ignores it.
    void RequestFire();
    void SetBlocked(bool blocked) { m_blocked = blocked; }
    // Gun gone, charges gone.
    void Remove();
    // Once a frame.
    void Update();

    i32 Charges() const { return m_charges; }
    bool IsShown() const { return m_part->IsShown(); }
    u32 GetType() const { return m_type; }
    i32 GetShotsFired() const { return m_shotsFired; }
    f32 GetClock() const { return m_clock; }
    bool IsBlocked() const { return m_blocked; }
    const GunPart& GetPart() const { return *m_part; }

private:
    bool MayFire() const;
    void Fire();
    const VelkorEngine::Matrix4& BatMatrix() const;

    VelkorEngine::TimerManager* m_timers = nullptr;
    const Bat* m_bat = nullptr;
    BulletManager* m_bullets = nullptr;
    u32 m_type = GunType::Arbalet;
    std::unique_ptr<GunPart> m_part;
    bool m_fireRequested = false;
    i32 m_charges = 0;
    i32 m_shotsFired = 0;
    f32 m_lastShotTime = 0.0f;
    f32 m_interval = 0.0f;
    f32 m_clock = 0.0f;
    bool m_blocked = false;
};
}
