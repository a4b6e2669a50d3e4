// A dark copy of a caster (or a dark box round it) lying on the playfield floor under the caster, fading as the
// caster rises. Owned by the effects, which update every shown shadow once a frame.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class Skeleton;
}

namespace Korvane
{
using VelkorEngine::f32;

class Shadow
{
public:
    static constexpr f32 DefaultStrength = 0.25f;
    // Height over the floor at which a shadow has faded to its least strength.
    static constexpr f32 FadeHeight = 40.0f;
    static constexpr f32 LeastFade = 0.1f;
    static constexpr f32 FloorHeight = 0.02f;

    // casterPose: the skeleton whose pose a copied mesh follows; null for the caster model's own skeleton.
    // copyMesh: a copy of the caster's mesh, else a box between the corners of its bounds.
    Shadow(VelkorEngine::Engine* engine, const VelkorEngine::Skeleton* casterPose,
           const VelkorEngine::Model* casterModel, bool copyMesh);
    virtual ~Shadow();

    Shadow(const Shadow&) = delete;
    Shadow& operator=(const Shadow&) = delete;

    void Show(bool shown);
    bool IsShown() const;
    // Only while shown: follows the caster and fades with its height.
    void Update();

    // Where the light throws the shadow: a point at height h falls h times this far along the floor. None
    // (the shadow lies straight under its caster) until it is set.
    void SetDirection(const VelkorEngine::Vector2& direction) { m_direction = direction; }

    // The strength the shadow has with its caster on the floor (an opacity).
    void SetStrength(f32 strength) { m_strength = strength; }
    f32 GetStrength() const { return m_strength; }
    VelkorEngine::Model* GetModel() const { return m_model; }

    // The share of its strength a shadow shows under a caster at that height above the floor.
    static f32 FadeAtHeight(f32 height);

private:
    void FollowPose();
    void PlaceUnderCaster();

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::ModelManager* m_models = nullptr;
    const VelkorEngine::Skeleton* m_casterPose = nullptr;
    const VelkorEngine::Model* m_caster = nullptr;
    VelkorEngine::Model* m_model = nullptr;
    f32 m_strength = DefaultStrength;
    VelkorEngine::Vector2 m_direction;
};
}
