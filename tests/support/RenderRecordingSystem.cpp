// The device-less recording render system.
#include "tests/support/RenderRecordingSystem.h"

#include "engine/files/Image.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/Light.h"
#include "engine/render/Texture2D.h"
#include "engine/render/VertexBuffer_D3D7.h"

using namespace VelkorEngine;

namespace KorvaneTest
{
RenderRecordingSystem::RenderRecordingSystem(MessageManager* log, Config* config, u32 stageCount, u32 maxAnisotropy)
    : RenderSystem(log, config, nullptr, 1, 0)
{
    m_stageCount = stageCount;
    m_maxAnisotropy = maxAnisotropy;
    m_maxTextureWidth = m_maxTextureHeight = 2048;
    InitStates();
}

// The device-independent camera and light: their device parts have nothing to do here.
std::unique_ptr<Camera> RenderRecordingSystem::CreateCamera(u32 kind) { return std::make_unique<Camera>(kind); }

std::unique_ptr<Light> RenderRecordingSystem::CreateLight(u32 deviceIndex)
{
    return std::make_unique<Light>(m_log, deviceIndex);
}

std::unique_ptr<VertexBuffer> RenderRecordingSystem::CreateVertexBuffer(u32 usage, u32 hasColor, u32 vertexCount)
{
    return std::make_unique<VertexBuffer_D3D7>(nullptr, usage, hasColor, vertexCount);
}

std::unique_ptr<VertexBuffer> RenderRecordingSystem::CreateVertexBuffer(u32 usage, u32 hasColor,
                                                                        const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(usage, hasColor, source);
}

std::unique_ptr<VertexBuffer> RenderRecordingSystem::CreateVertexBuffer(const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(source);
}

std::unique_ptr<IndexBuffer> RenderRecordingSystem::CreateIndexBuffer(u32 usage, u32 capacity)
{
    return std::make_unique<IndexBuffer_D3D7>(nullptr, usage, capacity);
}

std::unique_ptr<IndexBuffer> RenderRecordingSystem::CreateIndexBuffer(u32 usage, const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(usage, source);
}

std::unique_ptr<IndexBuffer> RenderRecordingSystem::CreateIndexBuffer(const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(source);
}

std::unique_ptr<Texture2D> RenderRecordingSystem::CreateTexture(TextureManager* owner, const std::string& keyName,
                                                                Image*, Image*, bool mipMapping)
{
    return std::make_unique<Texture2D>(m_log, m_config, owner, keyName, mipMapping);
}

void RenderRecordingSystem::TakeScreenshot(Image& image)
{
    image.Create(m_log, 1, 1, 24);
    image.Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
}

void RenderRecordingSystem::SetMaterial(const Color&, const Color&, const Color&, const Color&, f32)
{
    Note("Material");
}

void RenderRecordingSystem::DrawIndexedPrimitive(u32 kind, IndexBuffer*, VertexBuffer* vertexBuffer, u32 primitiveCount)
{
    m_draws.push_back(Draw{kind, primitiveCount, vertexBuffer, m_world, m_cullMode});
}

int RenderRecordingSystem::Count(const std::string& name) const
{
    int count = 0;
    for (const RenderUpdate& update : m_updates)
        count += update.name == name ? 1 : 0;
    return count;
}

void RenderRecordingSystem::ChangeStageCount(u32 stageCount)
{
    m_stageCount = stageCount;
    ResizeStageArrays(stageCount);
}

void RenderRecordingSystem::ClearRecords()
{
    m_updates.clear();
    m_draws.clear();
    m_frameEvents.clear();
}
}
