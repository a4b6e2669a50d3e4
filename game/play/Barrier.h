// The barrier bonus: up to three ropes between two posts below the bat. A ball that reaches them bounces back
// and breaks the top rope; the ball manager finds the ropes in its collision world through the barrier's box.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Types.h"

#include <array>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Effects;
class Shadow;
using VelkorEngine::u32;

class Barrier
{
public:
    static constexpr u32 MaxRopes = 3;
    static constexpr u32 PostCount = 2;

    // resources: the keeper of "barrier/hardware_0", "_1" and "barrier/rope_0" to "_2".
    Barrier(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, Effects* effects);
    virtual ~Barrier();

    Barrier(const Barrier&) = delete;
    Barrier& operator=(const Barrier&) = delete;

    // One more rope, up to three; a post springs up with it.
    void AddRope();
    // The top rope breaks.
    void RemoveRope();
    void HideShadow();

    u32 RopesUp() const { return m_ropesUp; }
    // The ropes' box, reaching any height.
    const VelkorEngine::BoundingVolume& GetCollisionBox() const { return m_collisionBox; }
    VelkorEngine::Model* GetPost(u32 index) const { return m_posts[index]; }
    VelkorEngine::Model* GetRope(u32 index) const { return m_ropes[index]; }
    Shadow* GetPostShadow(u32 index) const { return m_shadows[index]; }

private:
    void ShowPosts(bool shown);
    void ComputeCollisionBox();

    VelkorEngine::ModelManager* m_modelManager = nullptr;
    Effects* m_effects = nullptr;
    std::array<VelkorEngine::Model*, PostCount> m_posts{};
    std::array<Shadow*, PostCount> m_shadows{};
    std::array<VelkorEngine::Model*, MaxRopes> m_ropes{};
    VelkorEngine::BoundingVolume m_collisionBox;
    u32 m_ropesUp = 0;
};
}
