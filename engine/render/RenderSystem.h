// The device-independent renderer: a cache of every device state it manages, in which a setter reaches the
// device (through the matching Update operation) only when the value changes or the force flag is up; the
// description of the display hardware and the current choice in it; the device's capabilities; and the flags
// that drive device loss and video-mode changes.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Config.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"
#include "engine/core/Vector4.h"
#include "engine/render/AdapterInfo.h"

#include <memory>
#include <mutex>
#include <vector>

namespace VelkorEngine
{
class Camera;
class IndexBuffer;
class Image;
class Light;
class MessageManager;
class Texture2D;
class TextureManager;
class VertexBuffer;
class Window;

class RenderSystem
{
public:
    enum CullMode : u32
    {
        CullNone = 0,
        CullClockwise = 1,
        CullCounterClockwise = 2
    };

    // Any other value acts as zero.
    enum BlendFactor : u32
    {
        BlendZero = 0,
        BlendOne = 1,
        BlendDestColor = 2,
        BlendInvDestColor = 3,
        BlendSrcAlpha = 4,
        BlendInvSrcAlpha = 5,
        BlendDestAlpha = 6,
        BlendInvDestAlpha = 7,
        BlendSrcAlphaSat = 8,
        BlendSrcColor = 9,
        BlendInvSrcColor = 10
    };

    // Any other value leaves the device's filters as they are.
    enum TextureFilter : u32
    {
        FilterPoint = 0,
        FilterBilinear = 1,
        FilterTrilinear = 2 // anisotropic when "r_texture_anisotropy" is above 1
    };

    // Any other value acts as wrap.
    enum TextureAddress : u32
    {
        AddressClamp = 0,
        AddressWrap = 1
    };

    enum ClearFlag : u32
    {
        ClearColor = 1,
        ClearDepth = 2
    };

    enum ResetFlag : u32
    {
        ResetDevice = 1,
        ResetResources = 2
    };

    // Drawing kinds.
    enum Primitive : u32
    {
        TriangleList = 0,
        TriangleStrip = 1
    };

    RenderSystem(MessageManager* log, Config* config, Window* window, u8 stencilRequested, u8 allowOversizedWindow);
    virtual ~RenderSystem();

    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;

    virtual void Refresh();
    virtual void BeginScene();
    virtual void EndScene();
    virtual void SwapBuffers();
    virtual void CheckVideoModeChange();
    virtual void Reset(u32 flags);
    virtual void DrawIndexedPrimitive(u32 kind, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                      u32 primitiveCount);
    // The caller owns what the factories make.
    virtual std::unique_ptr<Camera> CreateCamera(u32 kind) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, u32 hasColor, u32 vertexCount) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, u32 hasColor, const VertexBuffer& source) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(const VertexBuffer& source) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, u32 capacity) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, const IndexBuffer& source) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(const IndexBuffer& source) = 0;
    // A texture of the device built from the images (which the caller keeps), owned by the texture manager.
    virtual std::unique_ptr<Texture2D> CreateTexture(TextureManager* owner, const std::string& keyName,
                                                     Image* diffuse, Image* opacity, bool mipMapping) = 0;
    virtual std::unique_ptr<Light> CreateLight(u32 deviceIndex) = 0;
    // The frame as an image in the image convention: bottom row first, red, green, blue (and alpha).
    virtual void TakeScreenshot(Image& image) = 0;
    // A screenshot of the frame about to be presented will follow the next SwapBuffers: the frame is read back
    // before the swap, which may leave a window's back buffer undefined.
    virtual void KeepFrameForScreenshot();
    virtual void InitStates();
    virtual void SetDefaultStates();
    virtual void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                             f32 power) = 0;

    void SetProjectionMatrix(const Matrix4& matrix);
    void SetViewMatrix(const Matrix4& matrix);
    void SetWorldMatrix(const Matrix4& matrix);
    void SetAmbientColor(const Color& color);
    void SetAlphaBlend(bool enabled);
    void SetBlend(u32 source, u32 destination);
    // The cache knows a texture by its serial number, so a new texture at a freed one's address still binds.
    void SetTexture(u32 stage, Texture2D* texture);
    void SetTextureFilter(u32 stage, u32 filter);
    void SetTextureAddressU(u32 stage, u32 mode);
    void SetTextureAddressV(u32 stage, u32 mode);
    void SetTextureTransform(u32 stage, f32 scaleU, f32 scaleV, f32 offsetU, f32 offsetV);
    void SetCullMode(u32 mode);
    void SetLighting(bool enabled);
    void SetNormalizeNormals(bool enabled);
    void SetZ(bool enabled);
    void SetZWrite(bool enabled);
    void SetStencil(bool enabled);

    MessageManager* GetLog() const { return m_log; }
    Config* GetConfig() const { return m_config; }
    AdapterInfo* GetCurrentAdapter() const { return m_currentAdapter; }
    DeviceInfo* GetCurrentDevice() const;
    ModeInfo* GetCurrentMode() const;
    const std::vector<std::unique_ptr<AdapterInfo>>& GetAdapters() const { return m_adapters; }
    u32 GetMaxTextureWidth() const { return m_maxTextureWidth; }
    u32 GetMaxTextureHeight() const { return m_maxTextureHeight; }
    u32 GetTextureStageCount() const { return m_stageCount; }
    u32 GetMaxAnisotropy() const { return m_maxAnisotropy; }
    // The loading thread builds textures while the main thread may reset the device: the device, its
    // capabilities and the list of textures change only under this lock, and a texture is built and
    // registered under it. Drawing never takes it.
    std::unique_lock<std::recursive_mutex> LockResources() const { return std::unique_lock(m_resourceMutex); }
    u8 IsActive() const { return m_active; }
    u8 IsResetPending() const { return m_resetPending; }
    u8 AreResourcesLost() const { return m_resourcesLost; }
    u8 IsStencilPresent() const { return m_stencilPresent; }
    u32 GetClearFlags() const { return m_clearFlags; }
    void SetClearFlags(u32 flags) { m_clearFlags = flags; }
    const Color& GetClearColor() const { return m_clearColor; }
    void SetClearColor(const Color& color) { m_clearColor = color; }

    const Matrix4& GetProjectionMatrix() const { return m_projection; }
    const Matrix4& GetViewMatrix() const { return m_view; }
    const Matrix4& GetWorldMatrix() const { return m_world; }
    const Color& GetAmbientColor() const { return m_ambient; }
    u8 GetAlphaBlend() const { return m_alphaBlend; }
    u32 GetSourceBlend() const { return m_sourceBlend; }
    u32 GetDestinationBlend() const { return m_destinationBlend; }
    Texture2D* GetTexture(u32 stage) const;
    u32 GetTextureAnisotropy(u32 stage) const;
    u32 GetTextureFilter(u32 stage) const;
    u32 GetTextureAddressU(u32 stage) const;
    u32 GetTextureAddressV(u32 stage) const;
    Vector4 GetTextureTransform(u32 stage) const;
    u32 GetCullMode() const { return m_cullMode; }
    u8 GetLighting() const { return m_lighting; }
    u8 GetNormalizeNormals() const { return m_normalizeNormals; }
    u8 GetZ() const { return m_z; }
    u8 GetZWrite() const { return m_zWrite; }
    u8 GetStencil() const { return m_stencil; }

protected:
    virtual void UpdateProjectionMatrix() = 0;
    virtual void UpdateViewMatrix() = 0;
    virtual void UpdateWorldMatrix() = 0;
    virtual void UpdateAmbientColor() = 0;
    virtual void UpdateAlphaBlend() = 0;
    virtual void UpdateBlend() = 0;
    virtual void UpdateTexture(u32 stage) = 0;
    virtual void UpdateMaxTextureAnisotropy(u32 stage) = 0;
    virtual void UpdateTextureFilter(u32 stage) = 0;
    virtual void UpdateTextureAdressU(u32 stage) = 0;
    virtual void UpdateTextureAdressV(u32 stage) = 0;
    virtual void UpdateTextureMatrix(u32 stage) = 0;
    virtual void UpdateCullMode() = 0;
    virtual void UpdateLighting() = 0;
    virtual void UpdateNormalizeNormals() = 0;
    virtual void UpdateZ() = 0;
    virtual void UpdateZWrite() = 0;
    virtual void UpdateStencil() = 0;

    // The per-stage arrays follow the device's stage count, which a re-created device may change.
    void ResizeStageArrays(u32 stageCount);
    // Forgets a texture that is going away (known by its serial), so no stage keeps its pointer; the stage is
    // then empty.
    void ForgetTexture(u64 serial);
    // "r_texture_anisotropy" clamped to the device: from 1 to the maximum anisotropy.
    u32 ClampedAnisotropy() const;

    struct StageState
    {
        Texture2D* texture = nullptr;
        u64 textureSerial = 0; // 0: no texture
        u32 anisotropy = 0;
        u32 filter = 0;
        u32 addressU = 0;
        u32 addressV = 0;
        Vector4 transform;
    };

    MessageManager* m_log = nullptr;
    Config* m_config = nullptr;
    Window* m_window = nullptr;
    Config::RenderSettings m_videoSettings;
    std::vector<std::unique_ptr<AdapterInfo>> m_adapters;
    AdapterInfo* m_currentAdapter = nullptr;
    u8 m_stencilRequested = 0;
    u8 m_stencilPresent = 0;
    u8 m_allowOversizedWindow = 0;
    u32 m_clearFlags = ClearColor | ClearDepth;
    Color m_clearColor{0.0f, 0.0f, 0.0f, 1.0f};
    u32 m_maxTextureWidth = 0;
    u32 m_maxTextureHeight = 0;
    u32 m_stageCount = 0;
    u32 m_maxAnisotropy = 0;
    u8 m_active = 0;
    u8 m_resetPending = 0;
    u8 m_resourcesLost = 0;
    u8 m_forceStates = 0;
    Matrix4 m_projection;
    Matrix4 m_view;
    Matrix4 m_world;
    Color m_ambient;
    u8 m_alphaBlend = 0;
    u32 m_sourceBlend = 0;
    u32 m_destinationBlend = 0;
    std::vector<StageState> m_stages;
    u32 m_cullMode = 0;
    u8 m_lighting = 0;
    u8 m_normalizeNormals = 0;
    u8 m_z = 0;
    u8 m_zWrite = 0;
    u8 m_stencil = 0;

private:
    bool HasStage(u32 stage) const { return stage < m_stages.size(); }
    mutable std::recursive_mutex m_resourceMutex;
    bool Applies(bool equal) const { return m_forceStates || !equal; }
};
}
