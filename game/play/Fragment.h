// One piece of a broken block: a copy of the piece's model (or, for kinds that fake their pieces, of one of
// the common pieces) with a shadow, flying off from where it sat in the block, landing and sinking away.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"
#include "game/play/FragmentFlight.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class ShaderUser;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Effects;
class Shadow;

class Fragment
{
public:
    // modelName: the piece registered in the keeper, such as "geometry/pillar/fragments/03"; real: the piece's
    // own model is drawn, else one of the keeper's common pieces in its place.
    Fragment(VelkorEngine::Engine* engine, GameTools::DataKeeper* keeper, Effects* effects,
             const std::string& modelName, bool real, const FragmentFlight::Settings& settings);
    virtual ~Fragment();

    Fragment(const Fragment&) = delete;
    Fragment& operator=(const Fragment&) = delete;

    // Launches the piece from where it sits in the block's model, wearing a patch of the block's texture.
    void Start(const VelkorEngine::Model& blockModel, bool shadow);
    void Update(f32 dt);

    bool IsFlying() const { return m_flight->IsFlying(); }
    VelkorEngine::Model* GetModel() const { return m_model; }
    Shadow* GetShadow() const { return m_shadow; }
    const FragmentFlight& GetFlight() const { return *m_flight; }

private:
    void Show(bool shown);
    void PlaceModel();
    void WearPatchOf(const VelkorEngine::ShaderUser& blockShader);

    VelkorEngine::ModelManager* m_modelManager = nullptr;
    Effects* m_effects = nullptr;
    VelkorEngine::Model* m_model = nullptr;
    Shadow* m_shadow = nullptr;
    bool m_castsShadow = false;
    // Where the piece sits in the block, and where the drawn model's own centre lies.
    VelkorEngine::Matrix4 m_offset;
    VelkorEngine::Matrix4 m_recentre;
    std::unique_ptr<FragmentFlight> m_flight;
};
}
