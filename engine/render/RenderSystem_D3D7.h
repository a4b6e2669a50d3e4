// The render system over DirectDraw 7 and Direct3D 7: the description of the display hardware, the choice of
// adapter, device and video mode from the settings, the device's creation with a software fallback, its reset,
// the translation of every cached state into device states, scenes, presentation and screenshots. Every
// device result goes to CheckResult, which logs failures and lets the program go on.
#pragma once

#include "engine/render/RenderSystem.h"
#include "platform/d3d7/D3D.h"

#include <mutex>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace VelkorEngine
{
struct AdapterInfo_D3D7;
struct DeviceInfo_D3D7;
class Texture2D_D3D7;

class RenderSystem_D3D7 : public RenderSystem
{
public:
    RenderSystem_D3D7(MessageManager* log, Config* config, Window* window, u8 stencilRequested,
                      u8 allowOversizedWindow);
    ~RenderSystem_D3D7() override;

    void Refresh() override;
    void BeginScene() override;
    void EndScene() override;
    void SwapBuffers() override;
    void CheckVideoModeChange() override;
    void Reset(u32 flags) override;
    void DrawIndexedPrimitive(u32 kind, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                              u32 primitiveCount) override;
    std::unique_ptr<Camera> CreateCamera(u32 kind) override;
    std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, u32 hasColor, u32 vertexCount) override;
    std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, u32 hasColor, const VertexBuffer& source) override;
    std::unique_ptr<VertexBuffer> CreateVertexBuffer(const VertexBuffer& source) override;
    std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, u32 capacity) override;
    std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, const IndexBuffer& source) override;
    std::unique_ptr<IndexBuffer> CreateIndexBuffer(const IndexBuffer& source) override;
    std::unique_ptr<Texture2D> CreateTexture(TextureManager* owner, const std::string& keyName, Image* diffuse,
                                             Image* opacity, bool mipMapping) override;
    std::unique_ptr<Light> CreateLight(u32 deviceIndex) override;
    void TakeScreenshot(Image& image) override;
    void KeepFrameForScreenshot() override { m_keepFrame = true; }
    void SetDefaultStates() override;
    void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                     f32 power) override;

    // Logs a failed result as "Direct3D Subsystem (context): sentence"; a success logs nothing and costs no
    // allocation, as it runs after every device call.
    void CheckResult(const char* context, HRESULT result);
    void CheckResult(const std::string& context, HRESULT result) { CheckResult(context.c_str(), result); }

    // Textures register from any thread, under the resource lock.
    void RegisterTexture(Texture2D_D3D7* texture);
    // A texture that is not registered is logged as an error; nothing is thrown (it is called from destructors).
    // The stages belong to the main thread: a texture unregistered on another thread is forgotten by them at
    // the main thread's next Refresh (the device holds its own reference to the surface until then).
    void UnregisterTexture(Texture2D_D3D7* texture);
    std::vector<Texture2D_D3D7*> GetTextures() const;

    IDirectDraw7* GetDirectDraw() const { return m_directDraw; }
    // The hardware and the transform-and-lighting devices keep textures driver-managed; others in system memory.
    bool IsHardwareDevice() const;
    IDirect3DDevice7* GetDevice() const { return m_device; }
    // Vertices that held still since their previous draw are drawn from buffers of the device, sent again only
    // after they change (on by default); off, every draw hands the device the vertices in memory, which it
    // copies each time.
    void SetDeviceVertexBuffers(bool on) { m_deviceVertexBuffers = on; }
    bool UsesDeviceVertexBuffers() const { return m_deviceVertexBuffers; }
    const DDSURFACEDESC2& GetBackBufferDescription() const { return m_backBufferDescription; }

    static bool CompareDisplayModes(const DDSURFACEDESC2& a, const DDSURFACEDESC2& b);

protected:
    void UpdateProjectionMatrix() override;
    void UpdateViewMatrix() override;
    void UpdateWorldMatrix() override;
    void UpdateAmbientColor() override;
    void UpdateAlphaBlend() override;
    void UpdateBlend() override;
    void UpdateTexture(u32 stage) override;
    void UpdateMaxTextureAnisotropy(u32 stage) override;
    void UpdateTextureFilter(u32 stage) override;
    void UpdateTextureAdressU(u32 stage) override;
    void UpdateTextureAdressV(u32 stage) override;
    void UpdateTextureMatrix(u32 stage) override;
    void UpdateCullMode() override;
    void UpdateLighting() override;
    void UpdateNormalizeNormals() override;
    void UpdateZ() override;
    void UpdateZWrite() override;
    void UpdateStencil() override;

private:
    void EnumerateHardware();
    static BOOL EnumerateAdapter(GUID* guid, char* description, char* driverName, void* context, void* monitor);
    static HRESULT EnumerateDisplayMode(DDSURFACEDESC2* mode, void* context);
    static HRESULT EnumerateDevice(char* description, char* name, D3DDEVICEDESC7* caps, void* context);
    void SelectDevice(bool forceSoftware);
    void SelectVideoMode();
    bool SelectVideoModeFromSettings(u32 desktopWidth, u32 desktopHeight);
    bool SelectFittingWindowedMode(DeviceInfo& device, u32 bits, u32 desktopWidth, u32 desktopHeight);
    // "v_mode" is "desktop" and the device runs the desktop's mode as the settings ask.
    bool IsDesktopModeInUse() const;
    // The window runs a smaller mode in place of the setting's, which did not fit the desktop, and the settings
    // still ask for that window.
    bool IsWindowStandingIn() const;
    bool CreateDevice(bool logCaps);
    void CreateDeviceWithFallback(bool logCaps);
    void CreateDirectDraw();
    void CreateScreenBuffers();
    void CreateDirect3DDevice();
    void CreateDepthBuffer();
    void ReadCapabilities(bool logCaps);
    // Releases the device and surfaces; leftover references are fatal, except while destroying, when they are
    // only logged (a destructor must not throw).
    void Release(bool fatalOnLeftovers = true);
    void ReleaseTextureSurfaces();
    void ReloadTextures();
    void ForgetTexturesReleasedElsewhere();
    void CopyScreenshot(Image& image);
    void ReadFrameBack();
    void SetStageState(u32 stage, D3DTEXTURESTAGESTATETYPE state, DWORD value, const char* context);
    // The device's buffer holding the vertices as they are now, or none when the device makes none.
    IDirect3DVertexBuffer7* DeviceVerticesOf(VertexBuffer& vertexBuffer, DWORD format);
    void SetRenderState(D3DRENDERSTATETYPE state, DWORD value, const char* context);
    AdapterInfo_D3D7* CurrentAdapter() const;
    DeviceInfo_D3D7* CurrentDevice() const;

    IDirectDraw7* m_directDraw = nullptr;
    IDirect3D7* m_direct3D = nullptr;
    IDirect3DDevice7* m_device = nullptr;
    // Counts the releases of the device: the vertex buffers made on an earlier device are made again.
    u64 m_deviceGeneration = 1;
    bool m_deviceVertexBuffers = true;
    IDirectDrawSurface7* m_depthBuffer = nullptr;
    IDirectDrawSurface7* m_primary = nullptr;
    IDirectDrawSurface7* m_backBuffer = nullptr;
    DDSURFACEDESC2 m_backBufferDescription;
    bool m_keepFrame = false;
    // The lower-cased "v_mode" text the window's smaller mode stands in for; empty when the mode in use is the
    // setting's own.
    std::string m_windowStandIn;
    std::vector<Texture2D_D3D7*> m_textures;
    std::thread::id m_mainThread = std::this_thread::get_id();
    // Serials of textures deleted on another thread that the stages have yet to forget; a lock of its own, so
    // the main thread never waits here for a texture being built.
    std::mutex m_releasedMutex;
    std::vector<u64> m_releasedSerials;
};
}
