// What a gun shows on the bat: the gun model and the bolt loaded in it, both following the bat, and the gun's
// shadow. Four clips of the gun model tell its story: it rises out of the bat, fires, stands ready and, after
// its last shot, sinks back and disappears.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"

#include <array>

namespace VelkorEngine
{
class Model;
class ModelManager;
}

namespace Korvane
{
class Effects;
class Shadow;
using VelkorEngine::i32;
using VelkorEngine::u32;

namespace GunClip
{
inline constexpr i32 Raise = 0;
inline constexpr i32 Fire = 1;
inline constexpr i32 Ready = 2;
inline constexpr i32 Lower = 3;
inline constexpr u32 Count = 4;
}

// The first and last frame of each clip, in the order of GunClip.
using GunClipTable = std::array<u32, 2 * GunClip::Count>;

class GunPart
{
public:
    // gunModel and boltModel: the keeper's models, copied here.
    GunPart(VelkorEngine::ModelManager* models, Effects* effects, const VelkorEngine::Model& gunModel,
            const VelkorEngine::Model& boltModel, const GunClipTable& clips);
    virtual ~GunPart();

    GunPart(const GunPart&) = delete;
    GunPart& operator=(const GunPart&) = delete;

    // Gun and shadow shown, rising.
    void Raise();
    // lastShot: the gun sinks back once the shot is over.
    void Fire(bool lastShot);
    // Gun, loaded bolt and shadow hidden at once.
    void Hide();
    // While shown: follows the bat and moves on to the next clip when one has ended.
    void Update(const VelkorEngine::Matrix4& batMatrix);

    bool IsShown() const;
    bool IsBoltShown() const;
    // The clip the gun model plays or ended on.
    i32 GetClip() const;
    VelkorEngine::Model* GetGunModel() const { return m_gun; }
    VelkorEngine::Model* GetBoltModel() const { return m_bolt; }
    Shadow* GetShadow() const { return m_shadow; }

private:
    void PlayClip(i32 clip);
    void ShowBolt(bool shown);
    void FollowClipEnd();

    VelkorEngine::ModelManager* m_models = nullptr;
    Effects* m_effects = nullptr;
    VelkorEngine::Model* m_gun = nullptr;
    VelkorEngine::Model* m_bolt = nullptr;
    Shadow* m_shadow = nullptr;
    GunClipTable m_clips{};
    bool m_lastShot = false;
};
}
