// The GUI cursor: mouse to virtual-screen mapping and the cursor's model.
#include "engine/gui/GUICursor.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIVertexBytes.h"
#include "engine/input/Controls.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "platform/win32/WindowApi.h"

#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr u32 kCursorFlagsSet = ModelFlags::SecondList | ModelFlags::KeepDepth;
constexpr u32 kCursorFlagsCleared = ModelFlags::Visible | ModelFlags::DepthTest | ModelFlags::Lit;
constexpr u32 kSquareIndices[4] = {0, 1, 2, 3};
}

GUICursor::GUICursor(const GUIServices& services, const ShaderDescriptor* shader, f32 size) : m_services(services)
{
    m_model = m_services.models->CreateSelfMadeModel(kCursorFlagsSet, 4, 4, 1, shader, m_services.camera);
    if (m_model == nullptr)
        return;
    m_model->name = "gui_cursor";
    const f32 corners[4][4] = {{size, -size, 1.0f, 0.0f}, {size, 0.0f, 1.0f, 1.0f},
                               {0.0f, -size, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 1.0f}};
    VertexBuffer& vertices = *m_model->vertexBuffer;
    u8* data = vertices.Lock(0, 4);
    for (u32 i = 0; i < 4; ++i)
    {
        u8* vertex = data + i * vertices.GetStride();
        std::memset(vertex, 0, vertices.GetStride());
        WriteFloat(vertex, corners[i][0]);
        WriteFloat(vertex + 4, corners[i][1]);
        WriteFloat(vertex + vertices.GetTextureOffset(), corners[i][2]);
        WriteFloat(vertex + vertices.GetTextureOffset() + 4, corners[i][3]);
    }
    vertices.Unlock();
    m_model->indexBuffer->SetIndices(0, 4, kSquareIndices);
    m_model->ComputeBounds(m_model->bounds, Model::InModelSpace);
    FinishModel();
}

GUICursor::GUICursor(const GUIServices& services, const Model* model) : m_services(services)
{
    if (model == nullptr)
        return;
    m_model = m_services.models->CreateModelCopy(*model, m_services.camera, 0);
    FinishModel();
}

GUICursor::~GUICursor() { m_services.models->DeleteModel(m_model); }

void GUICursor::FinishModel()
{
    if (m_model == nullptr)
        return;
    m_model->SetFlags(kCursorFlagsSet);
    m_model->ClearFlags(kCursorFlagsCleared);
    m_model->depth = Depth;
    m_baseMatrix = m_model->worldMatrix;
}

void GUICursor::UpdateFromMouse() { MapFromClient(m_services.controls->GetCursorPosition(), m_position); }

// The window's rows run downwards and the virtual screen's upwards: the top row maps just below the height.
bool GUICursor::MapFromClient(const Vector2& client, Vector2& screen) const
{
    RECT area{0, 0, 0, 0};
    GetClientRect(m_services.window->GetHandle(), &area);
    const i32 width = area.right - area.left;
    const i32 height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    const f32 w = static_cast<f32>(width);
    const f32 h = static_cast<f32>(height);
    screen.x = client.x / w * m_services.camera->orthoWidth;
    screen.y = (h - client.y - 1.0f) / h * m_services.camera->orthoHeight;
    return true;
}

void GUICursor::Place()
{
    if (m_model == nullptr)
        return;
    Matrix4 translation;
    MakeTranslationMatrix(translation, Vector3(m_position.x, m_position.y, 0.0f));
    m_model->worldMatrix = translation * m_baseMatrix;
    m_model->bounds.SetTransform(m_model->worldMatrix);
    if (m_visible != 0)
        m_model->SetFlags(ModelFlags::Visible);
    else
        m_model->ClearFlags(ModelFlags::Visible);
}
}
