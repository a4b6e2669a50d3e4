// One placed block of the level: a copy of its kind's model wearing the block's own shader, a shadow, its
// place and turn from the level's key frames lifted by how far it has hopped or fallen, and the effects of
// its appearing and its destruction. How it rests on the others is the game geometry's block stack, which
// knows the block by its id; a bat, ball or blast destroys it through Destroy.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <string>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
}

namespace GameTools
{
class DataKeeper;
class XMLNode;
}

namespace Korvane
{
class Effects;
class GameGeometry;
class Shadow;
struct GeometryObject;
using VelkorEngine::f32;
using VelkorEngine::u32;

// The handles every block works with; none is owned.
struct BlockServices
{
    VelkorEngine::Engine* engine = nullptr;
    GameTools::DataKeeper* resources = nullptr;
    Effects* effects = nullptr;
    GameGeometry* geometry = nullptr;
};

class Block
{
public:
    static constexpr f32 InvisibleShadowStrength = 0.5f;
    // An effect at the block sorts by this bias less a share of the depth of the block's centre in the view.
    static constexpr f32 EffectSortBias = -0.3f;
    static constexpr f32 EffectSortPerDepth = 0.0005f;

    Block(const BlockServices& services, const GeometryObject& object, u32 id);
    virtual ~Block();

    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    // kind: DestroyKind; chain: a super destruction that blasts the neighbours.
    virtual void Destroy(u32 kind, bool chain);
    virtual void SetVisible(bool visible);

    // Alive and hidden until its appearance.
    void Activate();
    // Shown, with its creation effect.
    void Appear();
    // Places the block between two of the level's key frames, lifted by its fall offset.
    void Place(u32 frameA, u32 frameB, f32 blend, f32 fallOffset);
    // The shadow falls while the block is shown and rests on the floor, or always for kinds that say so.
    void UpdateShadow(bool resting);
    // An effect of the block's own, owned from now on (a previous one is deleted): it waits hidden, starts
    // when the block appears and stays at the block as it moves.
    void SetExtraEffect(VelkorEngine::ParticleSystem* effect);
    VelkorEngine::ParticleSystem* GetExtraEffect() const { return m_extraEffect; }

    bool IsAlive() const { return m_alive; }
    // Fixed blocks (bit 0 of the record's flags) never hop nor fall.
    bool Reacts() const { return m_reacts; }
    u32 GetKindFlags() const { return m_kindFlags; }
    u32 GetId() const { return m_id; }
    const std::string& GetName() const { return m_name; }
    const GameTools::XMLNode& GetDescription() const { return *m_description; }
    const GeometryObject& GetObject() const { return m_object; }
    VelkorEngine::Model* GetModel() const { return m_model; }
    VelkorEngine::Model* GetCollisionModel() const { return m_collisionModel; }
    Shadow* GetShadow() const { return m_shadow; }
    const VelkorEngine::Vector3& GetPosition() const { return m_position; }
    // The model's world box and its centre.
    VelkorEngine::BoundingVolume GetBounds() const;
    VelkorEngine::Vector3 GetCenter() const;
    bool CastsShadow() const { return m_castsShadow; }
    // The explosion pool the block breaks into; -1 for a kind without pieces of its own.
    VelkorEngine::i32 GetFragmentSet() const { return m_fragmentSet; }
    void SetFragmentSet(VelkorEngine::i32 set) { m_fragmentSet = set; }
    // Half the height of the block's world box where the level placed it.
    f32 GetHalfHeight() const { return m_halfHeight; }

protected:
    // What every kind does when destroyed: its destruction effect, its dependents hop, and a chained super
    // destruction sets off its neighbours.
    void DestroyBlock(u32 kind, bool chain);
    void StartEffect(const std::string& name);
    void UpdateWorldMatrix();
    // At the block's centre, sorted among the blended things by how deep the centre lies in the view.
    void PlaceEffect(VelkorEngine::ParticleSystem& effect) const;

    BlockServices m_services;
    u32 m_kindFlags = 0;
    // An explosive brick goes up in its own effect whatever destroys it.
    std::string m_destructionEffect;

private:
    VelkorEngine::Model* CopyModel(const std::string& name) const;
    void ApplyDrawFlags();
    void ReadShadowOptions();

    const GeometryObject& m_object;
    const GameTools::XMLNode* m_description = nullptr;
    std::string m_name;
    u32 m_id = 0;
    bool m_reacts = true;
    bool m_alive = false;
    bool m_castsShadow = true;
    bool m_alwaysShadow = false;
    VelkorEngine::ModelManager* m_modelManager = nullptr;
    VelkorEngine::Model* m_model = nullptr;
    VelkorEngine::Model* m_collisionModel = nullptr;
    Shadow* m_shadow = nullptr;
    VelkorEngine::ParticleSystem* m_extraEffect = nullptr;
    VelkorEngine::Vector3 m_position;
    VelkorEngine::Quaternion m_rotation;
    VelkorEngine::Matrix4 m_scaleMatrix;
    f32 m_halfHeight = 0.0f;
    VelkorEngine::i32 m_fragmentSet = -1;
};
}
