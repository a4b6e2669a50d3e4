// Our own Direct3D 7 declarations: device descriptions, states, transforms, material and the device interface.
// Enumerated values follow the published API, so state tables read the same as in its documentation.
#pragma once

#include "platform/d3d7/DDraw.h"

using D3DVALUE = float;
using D3DCOLOR = DWORD; // A8R8G8B8

// Device capabilities.
constexpr DWORD D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x10000;
constexpr DWORD D3DDEVCAPS_HWRASTERIZATION = 0x80000;
constexpr DWORD D3DPRASTERCAPS_ZTEST = 0x10;
constexpr DWORD D3DPRASTERCAPS_ZBUFFERLESSHSR = 0x8000;
constexpr DWORD D3DPRASTERCAPS_ANISOTROPY = 0x20000;

constexpr HRESULT D3DENUMRET_CANCEL = 0;
constexpr HRESULT D3DENUMRET_OK = 1;

constexpr DWORD D3DCLEAR_TARGET = 0x1;
constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;
constexpr DWORD D3DCLEAR_STENCIL = 0x4;

// Flexible vertex format bits.
constexpr DWORD D3DFVF_XYZ = 0x2;
constexpr DWORD D3DFVF_NORMAL = 0x10;
constexpr DWORD D3DFVF_DIFFUSE = 0x40;
constexpr DWORD D3DFVF_SPECULAR = 0x80;
constexpr DWORD D3DFVF_TEX1 = 0x100;
constexpr DWORD D3DFVF_POSITION_MASK = 0xE;
constexpr DWORD D3DFVF_TEXCOUNT_MASK = 0xF00;
constexpr DWORD D3DFVF_TEXCOUNT_SHIFT = 8;

// Draw flag of our own: the indices are 32-bit values, not the 16-bit ones the interface otherwise takes.
constexpr DWORD D3DDP_INDEX32 = 0x80000000u;

enum D3DPRIMITIVETYPE : DWORD
{
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6
};

enum D3DTRANSFORMSTATETYPE : DWORD
{
    D3DTRANSFORMSTATE_WORLD = 1,
    D3DTRANSFORMSTATE_VIEW = 2,
    D3DTRANSFORMSTATE_PROJECTION = 3,
    D3DTRANSFORMSTATE_TEXTURE0 = 16,
    D3DTRANSFORMSTATE_TEXTURE7 = 23
};

enum D3DRENDERSTATETYPE : DWORD
{
    D3DRENDERSTATE_ZENABLE = 7,
    D3DRENDERSTATE_ZWRITEENABLE = 14,
    D3DRENDERSTATE_ALPHATESTENABLE = 15,
    D3DRENDERSTATE_SRCBLEND = 19,
    D3DRENDERSTATE_DESTBLEND = 20,
    D3DRENDERSTATE_CULLMODE = 22,
    D3DRENDERSTATE_ZFUNC = 23,
    D3DRENDERSTATE_ALPHAREF = 24,
    D3DRENDERSTATE_ALPHAFUNC = 25,
    D3DRENDERSTATE_DITHERENABLE = 26,
    D3DRENDERSTATE_ALPHABLENDENABLE = 27,
    D3DRENDERSTATE_FOGENABLE = 28,
    D3DRENDERSTATE_SPECULARENABLE = 29,
    D3DRENDERSTATE_STENCILENABLE = 52,
    D3DRENDERSTATE_STENCILFAIL = 53,
    D3DRENDERSTATE_STENCILZFAIL = 54,
    D3DRENDERSTATE_STENCILPASS = 55,
    D3DRENDERSTATE_STENCILFUNC = 56,
    D3DRENDERSTATE_STENCILREF = 57,
    D3DRENDERSTATE_STENCILMASK = 58,
    D3DRENDERSTATE_STENCILWRITEMASK = 59,
    D3DRENDERSTATE_TEXTUREFACTOR = 60,
    D3DRENDERSTATE_LIGHTING = 137,
    D3DRENDERSTATE_AMBIENT = 139,
    D3DRENDERSTATE_COLORVERTEX = 141,
    D3DRENDERSTATE_NORMALIZENORMALS = 143,
    D3DRENDERSTATE_DIFFUSEMATERIALSOURCE = 145,
    D3DRENDERSTATE_AMBIENTMATERIALSOURCE = 147,
    D3DRENDERSTATE_EMISSIVEMATERIALSOURCE = 148
};
constexpr DWORD D3DRENDERSTATE_COUNT = 256;

enum D3DTEXTURESTAGESTATETYPE : DWORD
{
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_TEXCOORDINDEX = 11,
    D3DTSS_ADDRESS = 12,
    D3DTSS_ADDRESSU = 13,
    D3DTSS_ADDRESSV = 14,
    D3DTSS_MAGFILTER = 16,
    D3DTSS_MINFILTER = 17,
    D3DTSS_MIPFILTER = 18,
    D3DTSS_MAXANISOTROPY = 21,
    D3DTSS_TEXTURETRANSFORMFLAGS = 24
};
constexpr DWORD D3DTSS_COUNT = 32;
constexpr DWORD D3DMAXTEXTURESTAGES = 8;

enum D3DTEXTUREOP : DWORD
{
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_MODULATE2X = 5,
    D3DTOP_MODULATE4X = 6,
    D3DTOP_ADD = 7,
    D3DTOP_ADDSIGNED = 8,
    D3DTOP_ADDSIGNED2X = 9,
    D3DTOP_SUBTRACT = 10
};

// Texture arguments and their modifiers.
constexpr DWORD D3DTA_SELECTMASK = 0xF;
constexpr DWORD D3DTA_DIFFUSE = 0x0;
constexpr DWORD D3DTA_CURRENT = 0x1;
constexpr DWORD D3DTA_TEXTURE = 0x2;
constexpr DWORD D3DTA_TFACTOR = 0x3;
constexpr DWORD D3DTA_SPECULAR = 0x4;
constexpr DWORD D3DTA_COMPLEMENT = 0x10;
constexpr DWORD D3DTA_ALPHAREPLICATE = 0x20;

enum D3DTEXTUREMAGFILTER : DWORD
{
    D3DTFG_POINT = 1,
    D3DTFG_LINEAR = 2,
    D3DTFG_FLATCUBIC = 3,
    D3DTFG_GAUSSIANCUBIC = 4,
    D3DTFG_ANISOTROPIC = 5
};

enum D3DTEXTUREMINFILTER : DWORD
{
    D3DTFN_POINT = 1,
    D3DTFN_LINEAR = 2,
    D3DTFN_ANISOTROPIC = 3
};

enum D3DTEXTUREMIPFILTER : DWORD
{
    D3DTFP_NONE = 1,
    D3DTFP_POINT = 2,
    D3DTFP_LINEAR = 3
};

enum D3DTEXTUREADDRESS : DWORD
{
    D3DTADDRESS_WRAP = 1,
    D3DTADDRESS_MIRROR = 2,
    D3DTADDRESS_CLAMP = 3,
    D3DTADDRESS_BORDER = 4
};

enum D3DTEXTURETRANSFORMFLAGS : DWORD
{
    D3DTTFF_DISABLE = 0,
    D3DTTFF_COUNT1 = 1,
    D3DTTFF_COUNT2 = 2,
    D3DTTFF_COUNT3 = 3,
    D3DTTFF_COUNT4 = 4
};

enum D3DCULL : DWORD
{
    D3DCULL_NONE = 1,
    D3DCULL_CW = 2,
    D3DCULL_CCW = 3
};

enum D3DBLEND : DWORD
{
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLEND_SRCALPHASAT = 11
};

enum D3DCMPFUNC : DWORD
{
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8
};

enum D3DSTENCILOP : DWORD
{
    D3DSTENCILOP_KEEP = 1,
    D3DSTENCILOP_ZERO = 2,
    D3DSTENCILOP_REPLACE = 3,
    D3DSTENCILOP_INCRSAT = 4,
    D3DSTENCILOP_DECRSAT = 5,
    D3DSTENCILOP_INVERT = 6,
    D3DSTENCILOP_INCR = 7,
    D3DSTENCILOP_DECR = 8
};

enum D3DMATERIALCOLORSOURCE : DWORD
{
    D3DMCS_MATERIAL = 0,
    D3DMCS_COLOR1 = 1,
    D3DMCS_COLOR2 = 2
};

struct D3DCOLORVALUE
{
    D3DVALUE r = 0.0f;
    D3DVALUE g = 0.0f;
    D3DVALUE b = 0.0f;
    D3DVALUE a = 0.0f;
};

// Row-vector layout: a point transforms as (x, y, z, 1) times the matrix; _41.._43 hold a translation.
struct D3DMATRIX
{
    D3DVALUE _11 = 0.0f, _12 = 0.0f, _13 = 0.0f, _14 = 0.0f;
    D3DVALUE _21 = 0.0f, _22 = 0.0f, _23 = 0.0f, _24 = 0.0f;
    D3DVALUE _31 = 0.0f, _32 = 0.0f, _33 = 0.0f, _34 = 0.0f;
    D3DVALUE _41 = 0.0f, _42 = 0.0f, _43 = 0.0f, _44 = 0.0f;
};

struct D3DVIEWPORT7
{
    DWORD dwX = 0;
    DWORD dwY = 0;
    DWORD dwWidth = 0;
    DWORD dwHeight = 0;
    D3DVALUE dvMinZ = 0.0f;
    D3DVALUE dvMaxZ = 1.0f;
};

struct D3DVECTOR
{
    D3DVALUE x = 0.0f;
    D3DVALUE y = 0.0f;
    D3DVALUE z = 0.0f;
};

enum D3DLIGHTTYPE : DWORD
{
    D3DLIGHT_POINT = 1,
    D3DLIGHT_SPOT = 2,
    D3DLIGHT_DIRECTIONAL = 3
};

// Position and direction are in world space. Phi is the spot light's whole outer cone angle, theta its inner one.
struct D3DLIGHT7
{
    D3DLIGHTTYPE dltType = static_cast<D3DLIGHTTYPE>(0);
    D3DCOLORVALUE dcvDiffuse;
    D3DCOLORVALUE dcvSpecular;
    D3DCOLORVALUE dcvAmbient;
    D3DVECTOR dvPosition;
    D3DVECTOR dvDirection;
    D3DVALUE dvRange = 0.0f;
    D3DVALUE dvFalloff = 0.0f;
    D3DVALUE dvAttenuation0 = 0.0f;
    D3DVALUE dvAttenuation1 = 0.0f;
    D3DVALUE dvAttenuation2 = 0.0f;
    D3DVALUE dvTheta = 0.0f;
    D3DVALUE dvPhi = 0.0f;
};

struct D3DMATERIAL7
{
    D3DCOLORVALUE dcvDiffuse;
    D3DCOLORVALUE dcvAmbient;
    D3DCOLORVALUE dcvSpecular;
    D3DCOLORVALUE dcvEmissive;
    D3DVALUE dvPower = 0.0f;
};

struct D3DRECT
{
    LONG x1 = 0;
    LONG y1 = 0;
    LONG x2 = 0;
    LONG y2 = 0;
};

struct D3DPRIMCAPS
{
    DWORD dwSize = sizeof(D3DPRIMCAPS);
    DWORD dwMiscCaps = 0;
    DWORD dwRasterCaps = 0;
    DWORD dwZCmpCaps = 0;
    DWORD dwSrcBlendCaps = 0;
    DWORD dwDestBlendCaps = 0;
    DWORD dwAlphaCmpCaps = 0;
    DWORD dwShadeCaps = 0;
    DWORD dwTextureCaps = 0;
    DWORD dwTextureFilterCaps = 0;
    DWORD dwTextureBlendCaps = 0;
    DWORD dwTextureAddressCaps = 0;
};

struct D3DDEVICEDESC7
{
    DWORD dwDevCaps = 0;
    D3DPRIMCAPS dpcLineCaps;
    D3DPRIMCAPS dpcTriCaps;
    DWORD dwDeviceRenderBitDepth = 0;
    DWORD dwDeviceZBufferBitDepth = 0;
    DWORD dwMinTextureWidth = 0;
    DWORD dwMinTextureHeight = 0;
    DWORD dwMaxTextureWidth = 0;
    DWORD dwMaxTextureHeight = 0;
    DWORD dwMaxTextureRepeat = 0;
    DWORD dwMaxTextureAspectRatio = 0;
    DWORD dwMaxAnisotropy = 0;
    WORD wMaxTextureBlendStages = 0;
    WORD wMaxSimultaneousTextures = 0;
    DWORD dwMaxActiveLights = 0;
    GUID deviceGUID;
};

struct IDirect3DDevice7;

// A vertex buffer's description: its vertex format and size; the capabilities only tell how it will be used.
struct D3DVERTEXBUFFERDESC
{
    DWORD dwSize = sizeof(D3DVERTEXBUFFERDESC);
    DWORD dwCaps = 0;
    DWORD dwFVF = 0;
    DWORD dwNumVertices = 0;
};
constexpr DWORD D3DVBCAPS_WRITEONLY = 0x00010000;

struct IDirect3DVertexBuffer7 : IUnknown
{
    // The whole buffer's vertices, for writing until Unlock; the device draws what they hold at the draw.
    virtual HRESULT Lock(DWORD flags, void** vertices, DWORD* size) = 0;
    virtual HRESULT Unlock() = 0;
};

using LPD3DENUMDEVICESCALLBACK7 = HRESULT (*)(char* description, char* name, D3DDEVICEDESC7* device, void* context);
using LPD3DENUMPIXELFORMATSCALLBACK = HRESULT (*)(DDPIXELFORMAT* format, void* context);

struct IDirect3D7 : IUnknown
{
    virtual HRESULT CreateDevice(REFCLSID device, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** created) = 0;
    virtual HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) = 0;
    virtual HRESULT EnumZBufferFormats(REFCLSID device, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) = 0;
    virtual HRESULT CreateVertexBuffer(D3DVERTEXBUFFERDESC* description, IDirect3DVertexBuffer7** created,
                                       DWORD flags) = 0;
};

struct IDirect3DDevice7 : IUnknown
{
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT Clear(DWORD rectCount, D3DRECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) = 0;
    // The vertex count is the number of vertices, from the first, that the indices may reach.
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices, DWORD vertexCount,
                                         void* indices, DWORD indexCount, DWORD flags) = 0;
    // The vertices from the start vertex on, numVertices of them, come from the buffer; indices count from the
    // start vertex.
    virtual HRESULT DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* vertexBuffer,
                                           DWORD startVertex, DWORD numVertices, void* indices, DWORD indexCount,
                                           DWORD flags) = 0;
    virtual HRESULT EndScene() = 0;
    // Texture pixel formats, offered one by one until the callback returns D3DENUMRET_CANCEL.
    virtual HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) = 0;
    virtual HRESULT GetCaps(D3DDEVICEDESC7* description) = 0;
    // Switches a light on or off; indices from the device's dwMaxActiveLights on are refused.
    virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
    virtual HRESULT SetLight(DWORD index, D3DLIGHT7* light) = 0;
    virtual HRESULT SetMaterial(D3DMATERIAL7* material) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) = 0;
    virtual HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) = 0;
    virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) = 0;
    virtual HRESULT SetViewport(D3DVIEWPORT7* viewport) = 0;
};

extern const IID IID_IDirect3D7;
extern const GUID IID_IDirect3DHALDevice;
extern const GUID IID_IDirect3DTnLHalDevice;
extern const GUID IID_IDirect3DRefDevice;
extern const GUID IID_IDirect3DRGBDevice;
