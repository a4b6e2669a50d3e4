// The Direct3D 7 device over OpenGL's fixed-function pipeline. State calls only record the wanted value and
// mark it; clears and draws bring GL up to date first, so every GL call happens inside them, on the main thread.
#pragma once

#include "platform/d3d7/ComObject.h"
#include "platform/d3d7/D3D.h"
#include "platform/d3d7/GLContext.h"
#include "platform/d3d7/GLVertexBuffer.h"

#include <cstdint>
#include <memory>

namespace Platform
{
class GLBackBuffer;
class GLDisplay;
class GLSurface;

class GLDevice : public ComObject<IDirect3DDevice7>
{
public:
    GLDevice(std::shared_ptr<GLDisplay> display, IDirect3D7* owner, GLBackBuffer* target,
             const D3DDEVICEDESC7& description);

    HRESULT BeginScene() override;
    HRESULT Clear(DWORD rectCount, D3DRECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices, DWORD vertexCount,
                                 void* indices, DWORD indexCount, DWORD flags) override;
    HRESULT DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* vertexBuffer, DWORD startVertex,
                                   DWORD numVertices, void* indices, DWORD indexCount, DWORD flags) override;
    HRESULT EndScene() override;
    HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) override;
    HRESULT GetCaps(D3DDEVICEDESC7* description) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT SetLight(DWORD index, D3DLIGHT7* light) override;
    HRESULT SetMaterial(D3DMATERIAL7* material) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) override;
    HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT SetViewport(D3DVIEWPORT7* viewport) override;

protected:
    ~GLDevice() override;

private:
    enum Dirty : std::uint32_t
    {
        DirtyBlend = 1u << 0,
        DirtyDepth = 1u << 1,
        DirtyStencil = 1u << 2,
        DirtyCull = 1u << 3,
        DirtyLighting = 1u << 4,
        DirtyMaterial = 1u << 5,
        DirtyViewport = 1u << 6,
        DirtyProjection = 1u << 7,
        DirtyModelView = 1u << 8,
        DirtyView = 1u << 9,
        DirtyLights = 1u << 10,
        DirtyAll = (1u << 11) - 1
    };

    // The device's lights are in world space; GL takes them in the eye space of the modelview current when
    // they are given, so they are kept here and given again whenever the view changes.
    struct LightSlot
    {
        D3DLIGHT7 light;
        bool enabled = false;
    };
    static constexpr DWORD kMaxLights = 8;

    struct Stage
    {
        DWORD states[D3DTSS_COUNT] = {};
        GLSurface* texture = nullptr;
        D3DMATRIX transform;
        bool combineDirty = true;
        bool samplerDirty = true;
        bool matrixDirty = true;
        // Without a texture the stage changes nothing and is left out (kept up to date with the operations).
        bool passThrough = true;
    };

    // What GL holds for one texture unit, so unchanged units cost nothing.
    struct Unit
    {
        bool enabled = false;
        bool coordinates = false;
        GLuint sampler = 0;
    };

    void SetDefaultStates();
    void MarkAllDirty();
    bool Prepare();
    void TakeOverContext();
    void ApplyDirtyState();
    void ApplyBlend();
    void ApplyDepth();
    void ApplyStencil();
    void ApplyCull();
    void ApplyLighting();
    void ApplyMaterial();
    void ApplyViewport();
    void ApplyProjection();
    void ApplyModelView();
    void ApplyLights();
    void ApplyLight(GLenum id, const D3DLIGHT7& light);
    void ApplyColorMaterial(bool vertexColours);
    void ApplyStages();
    void ApplyStage(DWORD stage, bool active);
    void EnableUnit(DWORD unit, bool enabled);
    void ApplyCombine(DWORD stage);
    void ApplySampler(DWORD stage);
    void ApplyTextureMatrix(DWORD stage);
    // With a buffer object bound the vertices are an offset into it, else an address in memory.
    void BindVertexArrays(const GLVertexLayout& layout, const BYTE* vertices);
    void UnbindArrayBuffer();
    bool CanDraw(DWORD vertexCount, DWORD indexCount, const void* vertices, const void* indices, HRESULT& result);
    void DrawIndexed(D3DPRIMITIVETYPE type, DWORD vertexCount, const void* indices, DWORD indexCount, DWORD flags);
    void SetClientArray(GLenum array, bool& enabled, bool wanted);
    void SelectMatrix(GLenum mode);
    void UpdatePassThrough(DWORD stage);
    bool HasStencil() const;
    GLint TargetHeight() const;

    std::shared_ptr<GLDisplay> m_display;
    IDirect3D7* m_owner = nullptr;
    GLBackBuffer* m_target = nullptr;
    D3DDEVICEDESC7 m_description;
    DWORD m_stageCount = 0;
    DWORD m_renderStates[D3DRENDERSTATE_COUNT] = {};
    Stage m_stages[D3DMAXTEXTURESTAGES];
    Unit m_units[D3DMAXTEXTURESTAGES];
    GLuint m_samplers[D3DMAXTEXTURESTAGES] = {};
    std::uint64_t m_samplerSerial = 0;
    D3DMATRIX m_world, m_view, m_projection;
    D3DVIEWPORT7 m_viewport;
    D3DMATERIAL7 m_material;
    LightSlot m_lights[kMaxLights];
    std::uint32_t m_dirty = DirtyAll;
    GLenum m_colorMaterial = 0;
    GLenum m_matrixMode = 0;
    bool m_vertexArray = false, m_normalArray = false, m_colorArray = false;
    // A vertex buffer's buffer object is bound as the array buffer; drawing from memory needs none bound.
    bool m_arrayBufferBound = false;
    bool m_inScene = false;
};
}
