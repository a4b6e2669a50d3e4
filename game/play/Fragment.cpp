// A flying piece of a broken block.
#include "game/play/Fragment.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"
#include "game/play/Effects.h"
#include "game/play/GameLogicData.h"
#include "game/play/ModelPlacement.h"
#include "game/play/Shadow.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// A piece shows a quarter of the texture's width and height, from anywhere on it.
constexpr f32 kPatchScale = 0.25f;
constexpr f32 kPatchSpread = 5.0f;

BoundingVolume LocalBox(const Model& model)
{
    BoundingVolume box;
    model.ComputeBounds(box, 0);
    return box;
}

// The same box moved so that its centre is the origin.
BoundingVolume Centred(const BoundingVolume& box)
{
    BoundingVolume centred;
    const Vector3 centre = box.GetCenter();
    centred.SetBox(box.GetMinimum() - centre, box.GetMaximum() - centre);
    return centred;
}
}

Fragment::Fragment(Engine* engine, GameTools::DataKeeper* keeper, Effects* effects, const std::string& modelName,
                   bool real, const FragmentFlight::Settings& settings)
    : m_modelManager(engine->GetModelManager()), m_effects(effects)
{
    const Model& piece = *keeper->GetModel(modelName);
    const BoundingVolume pieceBox = LocalBox(piece);
    m_offset = TranslationMatrix(pieceBox.GetCenter());
    const Model& drawn =
        real ? piece : *keeper->GetModel(GameLogicData::CommonFragmentName(RandomIndex(GameLogicData::CommonFragmentCount)));
    const BoundingVolume drawnBox = LocalBox(drawn);
    m_recentre = TranslationMatrix(Vector3() - drawnBox.GetCenter());
    m_model = m_modelManager->CreateModelCopy(drawn, nullptr, 0);
    m_flight = std::make_unique<FragmentFlight>(settings, Centred(real ? pieceBox : drawnBox));
    m_shadow = m_effects->GetShadow(m_effects->AddShadow(nullptr, m_model, true));
    Show(false);
}

Fragment::~Fragment()
{
    if (m_shadow != nullptr)
        m_effects->RemoveShadow(m_shadow);
    m_modelManager->DeleteModel(m_model);
}

void Fragment::Start(const Model& blockModel, bool shadow)
{
    if (const ShaderUser* shader = blockModel.GetShader())
        WearPatchOf(*shader);
    if (const ShaderUser* shader = blockModel.GetShader(); shader != nullptr && shader->IsAlphaBlended())
        m_model->SetFlags(ModelFlags::SecondList);
    else
        m_model->SetFlags(ModelFlags::FirstList);
    m_castsShadow = shadow;
    m_flight->Start(blockModel.worldMatrix * m_offset);
    PlaceModel();
    Show(true);
}

// The piece wears a patch of the block's texture in the block's current frame. Block textures are clamped
// at their edges, where a patch reaching past them would show only the edge's colour: the patch wraps.
void Fragment::WearPatchOf(const ShaderUser& blockShader)
{
    ShaderDescriptor patch = blockShader;
    const f32 offsetU = kPatchSpread * RandomFloat();
    const f32 offsetV = kPatchSpread * RandomFloat();
    for (u32 stage = 0; stage < patch.GetStageCount(); ++stage)
    {
        patch.SetStageTransform(stage, kPatchScale, kPatchScale, offsetU, offsetV);
        patch.SetStageAddressMode(stage, RenderSystem::AddressWrap);
    }
    m_model->SetShader(patch);
    if (ShaderUser* worn = m_model->GetShader(); worn != nullptr && blockShader.GetStageCount() > 0)
        worn->SetFrame(blockShader.GetTime(0));
}

void Fragment::Update(f32 dt)
{
    if (!m_flight->IsFlying())
        return;
    m_flight->Update(dt);
    PlaceModel();
    if (!m_flight->IsVisible())
    {
        Show(false);
        return;
    }
    if (m_shadow != nullptr)
    {
        const f32 opacity = m_flight->GetShadowOpacity();
        m_shadow->SetStrength(opacity);
        m_shadow->Show(m_castsShadow && opacity > 0.0f);
    }
}

void Fragment::PlaceModel()
{
    m_model->worldMatrix = m_flight->GetMatrix() * m_recentre;
    PlaceBounds(*m_model);
}

void Fragment::Show(bool shown)
{
    if (shown)
        m_model->SetFlags(ModelFlags::Visible);
    else
        m_model->ClearFlags(ModelFlags::Visible);
    if (m_shadow != nullptr)
    {
        m_shadow->SetStrength(FragmentFlight::ShadowStrength);
        m_shadow->Show(shown && m_castsShadow);
    }
}
}
