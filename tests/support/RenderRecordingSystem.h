// A render system without a device: every Update operation the state cache makes is recorded by name and
// stage, and the buffer factories make ordinary buffers. For tests of the cache itself and of the engine parts
// that draw through it (cameras, lights, shaders, models) without a window.
#pragma once

#include "engine/render/RenderSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace KorvaneTest
{
struct RenderUpdate
{
    std::string name;
    VelkorEngine::u32 stage = 0;

    bool operator==(const RenderUpdate& other) const { return name == other.name && stage == other.stage; }
};

class RenderRecordingSystem : public VelkorEngine::RenderSystem
{
public:
    // The device capabilities to pretend; the cache is initialised as the real render system's is.
    RenderRecordingSystem(VelkorEngine::MessageManager* log, VelkorEngine::Config* config,
                          VelkorEngine::u32 stageCount = 2, VelkorEngine::u32 maxAnisotropy = 4);

    std::unique_ptr<VelkorEngine::Camera> CreateCamera(VelkorEngine::u32 kind) override;
    std::unique_ptr<VelkorEngine::VertexBuffer> CreateVertexBuffer(VelkorEngine::u32 usage,
                                                                   VelkorEngine::u32 hasColor,
                                                                   VelkorEngine::u32 vertexCount) override;
    std::unique_ptr<VelkorEngine::VertexBuffer> CreateVertexBuffer(VelkorEngine::u32 usage,
                                                                   VelkorEngine::u32 hasColor,
                                                                   const VelkorEngine::VertexBuffer& source) override;
    std::unique_ptr<VelkorEngine::VertexBuffer> CreateVertexBuffer(const VelkorEngine::VertexBuffer& source) override;
    std::unique_ptr<VelkorEngine::IndexBuffer> CreateIndexBuffer(VelkorEngine::u32 usage,
                                                                 VelkorEngine::u32 capacity) override;
    std::unique_ptr<VelkorEngine::IndexBuffer> CreateIndexBuffer(VelkorEngine::u32 usage,
                                                                 const VelkorEngine::IndexBuffer& source) override;
    std::unique_ptr<VelkorEngine::IndexBuffer> CreateIndexBuffer(const VelkorEngine::IndexBuffer& source) override;
    // A device-less texture that knows its key, settings and owner.
    std::unique_ptr<VelkorEngine::Texture2D> CreateTexture(VelkorEngine::TextureManager* owner,
                                                           const std::string& keyName, VelkorEngine::Image* diffuse,
                                                           VelkorEngine::Image* opacity, bool mipMapping) override;
    std::unique_ptr<VelkorEngine::Light> CreateLight(VelkorEngine::u32 deviceIndex) override;
    void TakeScreenshot(VelkorEngine::Image& image) override;
    void SetMaterial(const VelkorEngine::Color& ambient, const VelkorEngine::Color& diffuse,
                     const VelkorEngine::Color& specular, const VelkorEngine::Color& emissive,
                     VelkorEngine::f32 power) override;
    void DrawIndexedPrimitive(VelkorEngine::u32 kind, VelkorEngine::IndexBuffer* indexBuffer,
                              VelkorEngine::VertexBuffer* vertexBuffer, VelkorEngine::u32 primitiveCount) override;

    const std::vector<RenderUpdate>& Updates() const { return m_updates; }
    void ClearUpdates() { m_updates.clear(); }
    int Count(const std::string& name) const;
    // Stands in for a device that reports another stage count after a reset.
    void ChangeStageCount(VelkorEngine::u32 stageCount);
    void SetActive(VelkorEngine::u8 active) { m_active = active; }

    void BeginScene() override { m_frameEvents.push_back("BeginScene"); }
    void EndScene() override { m_frameEvents.push_back("EndScene"); }
    void SwapBuffers() override { m_frameEvents.push_back("SwapBuffers"); }

    // Each draw with the buffers drawn and the cached states it was drawn with.
    struct Draw
    {
        VelkorEngine::u32 kind;
        VelkorEngine::u32 primitiveCount;
        const VelkorEngine::VertexBuffer* vertexBuffer = nullptr;
        VelkorEngine::Matrix4 world;
        VelkorEngine::u32 cullMode = 0;
    };
    const std::vector<Draw>& Draws() const { return m_draws; }
    void ClearDraws() { m_draws.clear(); }
    // "BeginScene", "EndScene" and "SwapBuffers" in the order they came.
    const std::vector<std::string>& FrameEvents() const { return m_frameEvents; }
    void ClearFrameEvents() { m_frameEvents.clear(); }
    // Forgets everything recorded so far, so a long test holds only what it still looks at.
    void ClearRecords();

protected:
    void UpdateProjectionMatrix() override { Note("Projection"); }
    void UpdateViewMatrix() override { Note("View"); }
    void UpdateWorldMatrix() override { Note("World"); }
    void UpdateAmbientColor() override { Note("Ambient"); }
    void UpdateAlphaBlend() override { Note("AlphaBlend"); }
    void UpdateBlend() override { Note("Blend"); }
    void UpdateTexture(VelkorEngine::u32 stage) override { Note("Texture", stage); }
    void UpdateMaxTextureAnisotropy(VelkorEngine::u32 stage) override { Note("Anisotropy", stage); }
    void UpdateTextureFilter(VelkorEngine::u32 stage) override { Note("Filter", stage); }
    void UpdateTextureAdressU(VelkorEngine::u32 stage) override { Note("AddressU", stage); }
    void UpdateTextureAdressV(VelkorEngine::u32 stage) override { Note("AddressV", stage); }
    void UpdateTextureMatrix(VelkorEngine::u32 stage) override { Note("TextureMatrix", stage); }
    void UpdateCullMode() override { Note("CullMode"); }
    void UpdateLighting() override { Note("Lighting"); }
    void UpdateNormalizeNormals() override { Note("NormalizeNormals"); }
    void UpdateZ() override { Note("Z"); }
    void UpdateZWrite() override { Note("ZWrite"); }
    void UpdateStencil() override { Note("Stencil"); }

private:
    void Note(const char* name, VelkorEngine::u32 stage = 0) { m_updates.push_back(RenderUpdate{name, stage}); }

    std::vector<RenderUpdate> m_updates;
    std::vector<Draw> m_draws;
    std::vector<std::string> m_frameEvents;
};
}
