// A fake Direct3D device that records every call with its arguments, in order.
#pragma once

#include "platform/d3d7/ComObject.h"
#include "platform/d3d7/D3D.h"

namespace KorvaneTest
{
class D3D7FakeDriver;

class D3D7FakeDevice : public Platform::ComObject<IDirect3DDevice7>
{
public:
    D3D7FakeDevice(D3D7FakeDriver& driver, IDirect3D7* owner, IDirectDrawSurface7* target,
                   const D3DDEVICEDESC7& description);

    HRESULT BeginScene() override;
    HRESULT Clear(DWORD rectCount, D3DRECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices, DWORD vertexCount,
                                 void* indices, DWORD indexCount, DWORD flags) override;
    // Recorded as DrawIndexedPrimitive is, with the buffer's format and its vertices in memory as the pointer.
    HRESULT DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* vertexBuffer, DWORD startVertex,
                                   DWORD numVertices, void* indices, DWORD indexCount, DWORD flags) override;
    HRESULT EndScene() override;
    // 32-bit formats without and with alpha, then 16-bit ones, as a common card lists them.
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
    ~D3D7FakeDevice() override;

private:
    D3D7FakeDriver& m_driver;
    IDirect3D7* m_owner;
    IDirectDrawSurface7* m_target;
    D3DDEVICEDESC7 m_description;
};
}
