#include "game/app/GUIGameCursor.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/DataKeeper.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// Just in front of the GUI's middle layer, where the cursor is drawn.
constexpr f32 EffectDepth = -20.0f - 1.0f;
}

GUIGameCursor::GUIGameCursor(Engine* engine) : GUIGameCursorBase(engine), m_engine(engine)
{
    const ShaderDescriptor descriptor =
        BuildSingleTextureShaderDescriptor("ui\\cursors\\cursor.jpg", "ui\\cursors\\cursor_alpha.jpg", false);
    GUICursor* cursor = engine->GetGUIManager()->CreateCursor(&descriptor, CursorSize);
    RegisterCursor(CursorId, SystemCursorResource, cursor);
    SetCursor(CursorId);
}

GUIGameCursor::~GUIGameCursor()
{
    ParticleSystemManager* systems = m_engine->GetParticleSystemManager();
    systems->DeleteParticleSystem(m_trail);
    systems->DeleteParticleSystem(m_click);
}

void GUIGameCursor::CreateEffects(GameTools::DataKeeper* keeper)
{
    m_trail = CopyEffect(keeper, "ui/cursor_train");
    m_click = CopyEffect(keeper, "ui/cursor_click");
    if (m_trail != nullptr)
    {
        m_trail->loop = 1;
        m_trail->SetVisible(true);
    }
    if (m_click != nullptr)
    {
        m_click->loop = 0;
        m_click->SetVisible(true);
    }
    SetTrailEnabled(m_trailEnabled);
}

ParticleSystem* GUIGameCursor::CopyEffect(GameTools::DataKeeper* keeper, const char* name)
{
    const ParticleSystem* source = keeper->GetParticleSystem(name);
    if (source == nullptr)
        return nullptr;
    ParticleSystem* copy = m_engine->GetParticleSystemManager()->CreateParticleSystemCopy(*source);
    Model* model = copy->GetModel();
    model->SetCamera(m_engine->GetGUIManager()->GetCamera());
    model->SetFlags(ModelFlags::KeepDepth);
    model->depth = EffectDepth;
    return copy;
}

void GUIGameCursor::SetTrailEnabled(bool enabled)
{
    m_trailEnabled = enabled;
    if (m_trail != nullptr)
        m_trail->active = enabled ? 1 : 0;
}

void GUIGameCursor::SetCursorVisible(bool visible)
{
    GUIGameCursorBase::SetCursorVisible(visible);
    if (m_trail != nullptr)
        m_trail->active = visible && m_trailEnabled ? 1 : 0;
}

Vector2 GUIGameCursor::CursorPosition() const
{
    return m_engine->GetGUIManager()->GetCursorPosition();
}

bool GUIGameCursor::Update()
{
    if (m_trailEnabled && m_trail != nullptr)
    {
        const Vector2 pointer = CursorPosition();
        m_trail->SetPosition(Vector3(pointer.x + TrailOffsetX, pointer.y + TrailOffsetY, 0.0f));
    }
    const Controls* controls = m_engine->GetControls();
    if (m_trailEnabled && m_click != nullptr && controls != nullptr && controls->IsPressed("MOUSE1"))
    {
        // A slow frame reads a click after the pointer has moved on: the burst goes where the click was made.
        const Vector2& click = m_engine->GetGUIManager()->GetClickPosition();
        m_click->SetPosition(Vector3(click.x, click.y, 0.0f));
        m_click->time = 0.0f;
        m_click->active = 1;
    }
    return GUIGameCursorBase::Update();
}
}
