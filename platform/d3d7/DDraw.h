// Our own DirectDraw 7 declarations: the types, flags, result codes and interfaces the engine calls.
// Flag values follow the published API; objects are implemented over OpenGL (or by a test fake).
#pragma once

#include "platform/win32/Guid.h"
#include "platform/win32/Win32Types.h"

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using ULONG = std::uint32_t;

// Result codes. DirectDraw's own codes are 0x88760000 plus the error number; five are shared with COM.
constexpr HRESULT MakeDirectDrawResult(DWORD code) { return static_cast<HRESULT>(0x88760000u + code); }

constexpr HRESULT DD_OK = 0;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);

constexpr HRESULT DDERR_ALREADYINITIALIZED = MakeDirectDrawResult(5);
constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MakeDirectDrawResult(10);
constexpr HRESULT DDERR_CANNOTDETACHSURFACE = MakeDirectDrawResult(20);
constexpr HRESULT DDERR_CURRENTLYNOTAVAIL = MakeDirectDrawResult(40);
constexpr HRESULT DDERR_EXCEPTION = MakeDirectDrawResult(55);
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_HEIGHTALIGN = MakeDirectDrawResult(90);
constexpr HRESULT DDERR_INCOMPATIBLEPRIMARY = MakeDirectDrawResult(95);
constexpr HRESULT DDERR_INVALIDCAPS = MakeDirectDrawResult(100);
constexpr HRESULT DDERR_INVALIDCLIPLIST = MakeDirectDrawResult(110);
constexpr HRESULT DDERR_INVALIDMODE = MakeDirectDrawResult(120);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDirectDrawResult(130);
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDirectDrawResult(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDirectDrawResult(150);
constexpr HRESULT DDERR_LOCKEDSURFACES = MakeDirectDrawResult(160);
constexpr HRESULT DDERR_NO3D = MakeDirectDrawResult(170);
constexpr HRESULT DDERR_NOALPHAHW = MakeDirectDrawResult(180);
constexpr HRESULT DDERR_NOSTEREOHARDWARE = MakeDirectDrawResult(181);
constexpr HRESULT DDERR_NOSURFACELEFT = MakeDirectDrawResult(182);
constexpr HRESULT DDERR_NOCLIPLIST = MakeDirectDrawResult(205);
constexpr HRESULT DDERR_NOCOLORCONVHW = MakeDirectDrawResult(210);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDirectDrawResult(212);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDirectDrawResult(215);
constexpr HRESULT DDERR_NOCOLORKEYHW = MakeDirectDrawResult(220);
constexpr HRESULT DDERR_NODIRECTDRAWSUPPORT = MakeDirectDrawResult(222);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDirectDrawResult(225);
constexpr HRESULT DDERR_NOFLIPHW = MakeDirectDrawResult(230);
constexpr HRESULT DDERR_NOGDI = MakeDirectDrawResult(240);
constexpr HRESULT DDERR_NOMIRRORHW = MakeDirectDrawResult(250);
constexpr HRESULT DDERR_NOTFOUND = MakeDirectDrawResult(255);
constexpr HRESULT DDERR_NOOVERLAYHW = MakeDirectDrawResult(260);
constexpr HRESULT DDERR_OVERLAPPINGRECTS = MakeDirectDrawResult(270);
constexpr HRESULT DDERR_NORASTEROPHW = MakeDirectDrawResult(280);
constexpr HRESULT DDERR_NOROTATIONHW = MakeDirectDrawResult(290);
constexpr HRESULT DDERR_NOSTRETCHHW = MakeDirectDrawResult(310);
constexpr HRESULT DDERR_NOT4BITCOLOR = MakeDirectDrawResult(316);
constexpr HRESULT DDERR_NOT4BITCOLORINDEX = MakeDirectDrawResult(317);
constexpr HRESULT DDERR_NOT8BITCOLOR = MakeDirectDrawResult(320);
constexpr HRESULT DDERR_NOTEXTUREHW = MakeDirectDrawResult(330);
constexpr HRESULT DDERR_NOVSYNCHW = MakeDirectDrawResult(335);
constexpr HRESULT DDERR_NOZBUFFERHW = MakeDirectDrawResult(340);
constexpr HRESULT DDERR_NOZOVERLAYHW = MakeDirectDrawResult(350);
constexpr HRESULT DDERR_OUTOFCAPS = MakeDirectDrawResult(360);
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDirectDrawResult(380);
constexpr HRESULT DDERR_OVERLAYCANTCLIP = MakeDirectDrawResult(382);
constexpr HRESULT DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeDirectDrawResult(384);
constexpr HRESULT DDERR_PALETTEBUSY = MakeDirectDrawResult(387);
constexpr HRESULT DDERR_COLORKEYNOTSET = MakeDirectDrawResult(400);
constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MakeDirectDrawResult(410);
constexpr HRESULT DDERR_SURFACEALREADYDEPENDENT = MakeDirectDrawResult(420);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDirectDrawResult(430);
constexpr HRESULT DDERR_CANTLOCKSURFACE = MakeDirectDrawResult(435);
constexpr HRESULT DDERR_SURFACEISOBSCURED = MakeDirectDrawResult(440);
constexpr HRESULT DDERR_SURFACELOST = MakeDirectDrawResult(450);
constexpr HRESULT DDERR_SURFACENOTATTACHED = MakeDirectDrawResult(460);
constexpr HRESULT DDERR_TOOBIGHEIGHT = MakeDirectDrawResult(470);
constexpr HRESULT DDERR_TOOBIGSIZE = MakeDirectDrawResult(480);
constexpr HRESULT DDERR_TOOBIGWIDTH = MakeDirectDrawResult(490);
constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MakeDirectDrawResult(510);
constexpr HRESULT DDERR_UNSUPPORTEDMASK = MakeDirectDrawResult(520);
constexpr HRESULT DDERR_INVALIDSTREAM = MakeDirectDrawResult(521);
constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = MakeDirectDrawResult(537);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDirectDrawResult(540);
constexpr HRESULT DDERR_DDSCAPSCOMPLEXREQUIRED = MakeDirectDrawResult(542);
constexpr HRESULT DDERR_XALIGN = MakeDirectDrawResult(560);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MakeDirectDrawResult(561);
constexpr HRESULT DDERR_DIRECTDRAWALREADYCREATED = MakeDirectDrawResult(562);
constexpr HRESULT DDERR_NODIRECTDRAWHW = MakeDirectDrawResult(563);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDirectDrawResult(564);
constexpr HRESULT DDERR_NOEMULATION = MakeDirectDrawResult(565);
constexpr HRESULT DDERR_REGIONTOOSMALL = MakeDirectDrawResult(566);
constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MakeDirectDrawResult(567);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDirectDrawResult(568);
constexpr HRESULT DDERR_NOHWND = MakeDirectDrawResult(569);
constexpr HRESULT DDERR_HWNDSUBCLASSED = MakeDirectDrawResult(570);
constexpr HRESULT DDERR_HWNDALREADYSET = MakeDirectDrawResult(571);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDirectDrawResult(572);
constexpr HRESULT DDERR_NOPALETTEHW = MakeDirectDrawResult(573);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDirectDrawResult(574);
constexpr HRESULT DDERR_NOBLTHW = MakeDirectDrawResult(575);
constexpr HRESULT DDERR_NODDROPSHW = MakeDirectDrawResult(576);
constexpr HRESULT DDERR_OVERLAYNOTVISIBLE = MakeDirectDrawResult(577);
constexpr HRESULT DDERR_NOOVERLAYDEST = MakeDirectDrawResult(578);
constexpr HRESULT DDERR_INVALIDPOSITION = MakeDirectDrawResult(579);
constexpr HRESULT DDERR_NOTAOVERLAYSURFACE = MakeDirectDrawResult(580);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDirectDrawResult(581);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDirectDrawResult(582);
constexpr HRESULT DDERR_CANTDUPLICATE = MakeDirectDrawResult(583);
constexpr HRESULT DDERR_NOTLOCKED = MakeDirectDrawResult(584);
constexpr HRESULT DDERR_CANTCREATEDC = MakeDirectDrawResult(585);
constexpr HRESULT DDERR_NODC = MakeDirectDrawResult(586);
constexpr HRESULT DDERR_WRONGMODE = MakeDirectDrawResult(587);
constexpr HRESULT DDERR_IMPLICITLYCREATED = MakeDirectDrawResult(588);
constexpr HRESULT DDERR_NOTPALETTIZED = MakeDirectDrawResult(589);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDirectDrawResult(590);
constexpr HRESULT DDERR_NOMIPMAPHW = MakeDirectDrawResult(591);
constexpr HRESULT DDERR_INVALIDSURFACETYPE = MakeDirectDrawResult(592);
constexpr HRESULT DDERR_NOOPTIMIZEHW = MakeDirectDrawResult(600);
constexpr HRESULT DDERR_NOTLOADED = MakeDirectDrawResult(601);
constexpr HRESULT DDERR_NOFOCUSWINDOW = MakeDirectDrawResult(602);
constexpr HRESULT DDERR_DCALREADYCREATED = MakeDirectDrawResult(620);
constexpr HRESULT DDERR_NONONLOCALVIDMEM = MakeDirectDrawResult(630);
constexpr HRESULT DDERR_CANTPAGELOCK = MakeDirectDrawResult(640);
constexpr HRESULT DDERR_CANTPAGEUNLOCK = MakeDirectDrawResult(660);
constexpr HRESULT DDERR_NOTPAGELOCKED = MakeDirectDrawResult(680);
constexpr HRESULT DDERR_MOREDATA = MakeDirectDrawResult(690);
constexpr HRESULT DDERR_EXPIRED = MakeDirectDrawResult(691);
constexpr HRESULT DDERR_TESTFINISHED = MakeDirectDrawResult(692);
constexpr HRESULT DDERR_NEWMODE = MakeDirectDrawResult(693);
constexpr HRESULT DDERR_VIDEONOTACTIVE = MakeDirectDrawResult(695);
constexpr HRESULT DDERR_NOMONITORINFORMATION = MakeDirectDrawResult(696);
constexpr HRESULT DDERR_NODRIVERSUPPORT = MakeDirectDrawResult(697);
constexpr HRESULT DDERR_DEVICEDOESNTOWNSURFACE = MakeDirectDrawResult(699);
constexpr HRESULT DDERR_NOTINITIALIZED = CO_E_NOTINITIALIZED;

// Adapter enumeration.
constexpr DWORD DDENUM_ATTACHEDSECONDARYDEVICES = 0x1;
constexpr DWORD DDENUM_DETACHEDSECONDARYDEVICES = 0x2;
constexpr DWORD DDENUM_NONDISPLAYDEVICES = 0x4;
constexpr HRESULT DDENUMRET_CANCEL = 0;
constexpr HRESULT DDENUMRET_OK = 1;

// Cooperative levels.
constexpr DWORD DDSCL_FULLSCREEN = 0x1;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x2;
constexpr DWORD DDSCL_NORMAL = 0x8;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;
constexpr DWORD DDSCL_FPUSETUP = 0x800;

// Which fields of a surface description are valid.
constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;
constexpr DWORD DDSD_LPSURFACE = 0x800;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSD_MIPMAPCOUNT = 0x20000;
constexpr DWORD DDSD_REFRESHRATE = 0x40000;
constexpr DWORD DDSD_TEXTURESTAGE = 0x100000;

// Surface capabilities.
constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr DWORD DDSCAPS_TEXTURE = 0x1000;
constexpr DWORD DDSCAPS_3DDEVICE = 0x2000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x4000;
constexpr DWORD DDSCAPS_ZBUFFER = 0x20000;
constexpr DWORD DDSCAPS_MIPMAP = 0x400000;
constexpr DWORD DDSCAPS2_TEXTUREMANAGE = 0x10;

// Pixel format flags.
constexpr DWORD DDPF_ALPHAPIXELS = 0x1;
constexpr DWORD DDPF_FOURCC = 0x4;
constexpr DWORD DDPF_RGB = 0x40;
constexpr DWORD DDPF_ZBUFFER = 0x400;
constexpr DWORD DDPF_STENCILBUFFER = 0x4000;
constexpr DWORD DDPF_LUMINANCE = 0x20000;
constexpr DWORD DDPF_BUMPLUMINANCE = 0x40000;
constexpr DWORD DDPF_BUMPDUDV = 0x80000;

constexpr DWORD DDCAPS2_CANRENDERWINDOWED = 0x80000;

constexpr DWORD DDFLIP_WAIT = 0x1;
constexpr DWORD DDFLIP_NOVSYNC = 0x8;
constexpr DWORD DDBLT_WAIT = 0x1000000;
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDLOCK_READONLY = 0x10;
constexpr DWORD DDLOCK_WRITEONLY = 0x20;
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x1;

// Render bit depths a device supports.
constexpr DWORD DDBD_16 = 0x400;
constexpr DWORD DDBD_24 = 0x200;
constexpr DWORD DDBD_32 = 0x100;

struct DDPIXELFORMAT
{
    DWORD dwSize = sizeof(DDPIXELFORMAT);
    DWORD dwFlags = 0;
    DWORD dwFourCC = 0;
    union
    {
        DWORD dwRGBBitCount = 0;
        DWORD dwZBufferBitDepth; // depth and stencil bits together
    };
    union
    {
        DWORD dwRBitMask = 0;
        DWORD dwStencilBitDepth;
    };
    union
    {
        DWORD dwGBitMask = 0;
        DWORD dwZBitMask;
    };
    union
    {
        DWORD dwBBitMask = 0;
        DWORD dwStencilBitMask;
    };
    DWORD dwRGBAlphaBitMask = 0;
};

struct DDSCAPS2
{
    DWORD dwCaps = 0;
    DWORD dwCaps2 = 0;
    DWORD dwCaps3 = 0;
    DWORD dwCaps4 = 0;
};

struct DDSURFACEDESC2
{
    DWORD dwSize = sizeof(DDSURFACEDESC2);
    DWORD dwFlags = 0;
    DWORD dwHeight = 0;
    DWORD dwWidth = 0;
    LONG lPitch = 0;
    DWORD dwBackBufferCount = 0;
    DWORD dwMipMapCount = 0;
    DWORD dwRefreshRate = 0;
    void* lpSurface = nullptr;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage = 0;
};

struct DDCAPS
{
    DWORD dwSize = sizeof(DDCAPS);
    DWORD dwCaps = 0;
    DWORD dwCaps2 = 0;
    DWORD dwVidMemTotal = 0;
    DWORD dwVidMemFree = 0;
};

struct IDirectDrawSurface7;
struct IDirectDrawClipper;

// Adapter callback: GUID (null for the primary display driver), description, driver name, context, monitor.
using LPDDENUMCALLBACKEXA = BOOL (*)(GUID* guid, char* description, char* driverName, void* context, void* monitor);
using LPDDENUMMODESCALLBACK2 = HRESULT (*)(DDSURFACEDESC2* mode, void* context);

struct IUnknown
{
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    // Returns the references that remain; the object is gone at 0.
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

struct IDirectDrawClipper : IUnknown
{
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
};

struct IDirectDrawSurface7 : IUnknown
{
    virtual HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) = 0;
    virtual HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, void* effects) = 0;
    virtual HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) = 0;
    virtual HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* description) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC2* description, DWORD flags, void* event) = 0;
    virtual HRESULT Restore() = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;
};

struct IDirectDraw7 : IUnknown
{
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC2* description, IDirectDrawSurface7** surface, IUnknown* outer) = 0;
    virtual HRESULT EnumDisplayModes(DWORD flags, DDSURFACEDESC2* filter, void* context,
                                     LPDDENUMMODESCALLBACK2 callback) = 0;
    virtual HRESULT GetCaps(DDCAPS* hardware, DDCAPS* emulation) = 0;
    virtual HRESULT GetDisplayMode(DDSURFACEDESC2* description) = 0;
    virtual HRESULT RestoreAllSurfaces() = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags) = 0;
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT WaitForVerticalBlank(DWORD flags, void* event) = 0;
};

extern const IID IID_IDirectDraw7;

HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags);
HRESULT DirectDrawCreateEx(GUID* adapter, void** directDraw, REFIID iid, IUnknown* outer);
