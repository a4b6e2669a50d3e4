// The device side of the Direct3D 7 render system: hardware enumeration, device and video-mode choice,
// device creation with its fallback, release and reset.
#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
namespace
{
const std::string kDots(56, '.');

template <class T>
ULONG ReleaseAndClear(T*& object)
{
    if (!object)
        return 0;
    const ULONG remaining = object->Release();
    object = nullptr;
    return remaining;
}

void CopyName(char (&target)[64], const char* source)
{
    std::strncpy(target, source ? source : "", sizeof(target) - 1);
    target[sizeof(target) - 1] = '\0';
}

std::string ModeText(u32 width, u32 height, u32 bits)
{
    return UIntToString(width, 0) + "x" + UIntToString(height, 0) + "x" + UIntToString(bits, 0);
}

bool KeepsMode(DWORD bits, DWORD renderDepths)
{
    return (bits == 32 && (renderDepths & DDBD_32)) || (bits == 24 && (renderDepths & DDBD_24)) ||
           (bits == 16 && (renderDepths & DDBD_16));
}

// The wanted depth format and, once found, the format itself.
struct DepthSearch
{
    DWORD depthBits = 0;
    DWORD stencilBits = 0;
    DDPIXELFORMAT found;
    bool ok = false;
};

HRESULT AcceptDepthFormat(DDPIXELFORMAT* format, void* context)
{
    auto* search = static_cast<DepthSearch*>(context);
    if (format->dwZBufferBitDepth != search->depthBits || format->dwStencilBitDepth < search->stencilBits)
        return D3DENUMRET_OK;
    search->found = *format;
    search->ok = true;
    return D3DENUMRET_CANCEL;
}
}

RenderSystem_D3D7::RenderSystem_D3D7(MessageManager* log, Config* config, Window* window, u8 stencilRequested,
                                     u8 allowOversizedWindow)
    : RenderSystem(log, config, window, stencilRequested, allowOversizedWindow)
{
    m_log->Message("\nInitialization of Direct3D subsystem...");
    EnumerateHardware();
    CreateDeviceWithFallback(true);
    InitStates();
    m_log->Message(" ");
}

RenderSystem_D3D7::~RenderSystem_D3D7()
{
    m_log->Message("\nDirect3D Subsystem destroying:");
    Release(false);
    m_textures.clear();
}

AdapterInfo_D3D7* RenderSystem_D3D7::CurrentAdapter() const { return static_cast<AdapterInfo_D3D7*>(m_currentAdapter); }

DeviceInfo_D3D7* RenderSystem_D3D7::CurrentDevice() const { return static_cast<DeviceInfo_D3D7*>(GetCurrentDevice()); }

bool RenderSystem_D3D7::IsHardwareDevice() const
{
    const DeviceInfo_D3D7* device = CurrentDevice();
    return device && (device->guid == IID_IDirect3DHALDevice || device->guid == IID_IDirect3DTnLHalDevice);
}

void RenderSystem_D3D7::EnumerateHardware()
{
    m_log->Message("...Level device list...");
    DirectDrawEnumerateExA(EnumerateAdapter, this,
                           DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES | DDENUM_NONDISPLAYDEVICES);
    if (m_adapters.empty() || m_adapters.front()->devices.empty())
        m_log->Fatal("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
}

BOOL RenderSystem_D3D7::EnumerateAdapter(GUID* guid, char* description, char*, void* context, void*)
{
    auto* renderSystem = static_cast<RenderSystem_D3D7*>(context);
    IDirectDraw7* directDraw = nullptr;
    if (FAILED(DirectDrawCreateEx(guid, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr)))
        return TRUE;
    IDirect3D7* direct3D = nullptr;
    if (FAILED(directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D))))
    {
        directDraw->Release();
        return TRUE;
    }
    renderSystem->m_adapters.push_back(std::make_unique<AdapterInfo_D3D7>());
    auto& adapter = static_cast<AdapterInfo_D3D7&>(*renderSystem->m_adapters.back());
    CopyName(adapter.description, description);
    if (guid)
    {
        adapter.guid = *guid;
        adapter.guidPointer = &adapter.guid;
    }
    directDraw->GetCaps(&adapter.hardwareCaps, &adapter.emulationCaps);
    adapter.windowedCapable = (adapter.hardwareCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED) && !adapter.guidPointer;
    EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &adapter.desktopMode);
    directDraw->EnumDisplayModes(0, nullptr, &adapter, EnumerateDisplayMode);
    std::stable_sort(adapter.displayModes.begin(), adapter.displayModes.end(), CompareDisplayModes);
    direct3D->EnumDevices(EnumerateDevice, &adapter);
    direct3D->Release();
    directDraw->Release();
    return TRUE;
}

HRESULT RenderSystem_D3D7::EnumerateDisplayMode(DDSURFACEDESC2* mode, void* context)
{
    if (mode->dwWidth >= 640 && mode->dwHeight >= 400)
        static_cast<AdapterInfo_D3D7*>(context)->displayModes.push_back(*mode);
    return DDENUMRET_OK;
}

bool RenderSystem_D3D7::CompareDisplayModes(const DDSURFACEDESC2& a, const DDSURFACEDESC2& b)
{
    if (a.dwWidth != b.dwWidth)
        return a.dwWidth > b.dwWidth;
    if (a.dwHeight != b.dwHeight)
        return a.dwHeight > b.dwHeight;
    return a.ddpfPixelFormat.dwRGBBitCount > b.ddpfPixelFormat.dwRGBBitCount;
}

HRESULT RenderSystem_D3D7::EnumerateDevice(char* description, char* name, D3DDEVICEDESC7* caps, void* context)
{
    auto& adapter = *static_cast<AdapterInfo_D3D7*>(context);
    auto device = std::make_unique<DeviceInfo_D3D7>();
    device->caps = *caps;
    device->guid = caps->deviceGUID;
    device->guidPointer = &device->guid;
    CopyName(device->name, name);
    CopyName(device->description, description);
    device->hardware = (caps->dwDevCaps & D3DDEVCAPS_HWRASTERIZATION) ? 1 : 0;
    if (adapter.guidPointer && !device->hardware)
        return D3DENUMRET_OK;
    for (const DDSURFACEDESC2& displayMode : adapter.displayModes)
    {
        const DWORD bits = displayMode.ddpfPixelFormat.dwRGBBitCount;
        if (!KeepsMode(bits, caps->dwDeviceRenderBitDepth))
            continue;
        auto mode = std::make_unique<ModeInfo_D3D7>();
        mode->width = displayMode.dwWidth;
        mode->height = displayMode.dwHeight;
        mode->bitsPerPixel = bits == 16 ? 16 : 32;
        mode->displayMode = &displayMode;
        device->modes.push_back(std::move(mode));
    }
    if (!device->modes.empty())
        adapter.devices.push_back(std::move(device));
    return D3DENUMRET_OK;
}

void RenderSystem_D3D7::SelectDevice(bool forceSoftware)
{
    struct Choice
    {
        AdapterInfo* adapter = nullptr;
        DeviceInfo* device = nullptr;
    };
    Choice transformAndLighting, hardware, software, reference;
    for (const auto& adapter : m_adapters)
    {
        if (!static_cast<AdapterInfo_D3D7&>(*adapter).windowedCapable)
            continue;
        for (const auto& device : adapter->devices)
        {
            const auto& info = static_cast<DeviceInfo_D3D7&>(*device);
            Choice& slot = info.hardware ? (info.guid == IID_IDirect3DTnLHalDevice ? transformAndLighting : hardware)
                                         : (info.guid == IID_IDirect3DRefDevice ? reference : software);
            slot = Choice{adapter.get(), device.get()};
        }
    }
    Choice chosen = software.device ? software : reference;
    if (!forceSoftware)
        chosen = transformAndLighting.device ? transformAndLighting : hardware.device ? hardware : chosen;
    if (!chosen.device)
        m_log->Fatal("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    m_currentAdapter = chosen.adapter;
    m_currentAdapter->currentDevice = chosen.device;
}

// The texts tried in turn when the settings ask for a mode the device does not have: the requested one,
// the default, then 640x480x16, each once.
void RenderSystem_D3D7::SelectVideoMode()
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const u32 desktopWidth = static_cast<u32>(std::max<LONG>(desktop.right - desktop.left, 0));
    const u32 desktopHeight = static_cast<u32>(std::max<LONG>(desktop.bottom - desktop.top, 0));
    std::string defaultMode;
    m_config->GetDefaultValue(defaultMode, "v_mode");
    const std::string candidates[] = {*m_videoSettings.videoMode, defaultMode, "640x480x16"};
    std::vector<std::string> tried = {StringToLowerCopy(*m_videoSettings.videoMode)};
    while (!SelectVideoModeFromSettings(desktopWidth, desktopHeight))
    {
        const std::string* next = nullptr;
        for (const std::string& candidate : candidates)
            if (!next && std::find(tried.begin(), tried.end(), StringToLowerCopy(candidate)) == tried.end())
                next = &candidate;
        if (!next)
            m_log->Fatal("RenderSystem_D3D7: Failed to find compatible video mode");
        tried.push_back(StringToLowerCopy(*next));
        *m_videoSettings.videoMode = *next;
    }
    DeviceInfo& device = *GetCurrentDevice();
    device.fullScreen = *m_videoSettings.fullScreen;
    if (GetParent(m_window->GetHandle()))
        device.fullScreen = 0;
}

bool RenderSystem_D3D7::SelectVideoModeFromSettings(u32 desktopWidth, u32 desktopHeight)
{
    DeviceInfo& device = *GetCurrentDevice();
    const AdapterInfo_D3D7& adapter = *CurrentAdapter();
    m_windowStandIn.clear();
    u32 width = 0, height = 0, bits = 0;
    if (StringToLowerCopy(*m_videoSettings.videoMode) == "desktop")
    {
        width = adapter.desktopMode.dmPelsWidth;
        height = adapter.desktopMode.dmPelsHeight;
        bits = adapter.desktopMode.dmBitsPerPel;
        *m_videoSettings.fullScreen = 1;
    }
    else
        ParseVideoMode(*m_videoSettings.videoMode, &width, &height, &bits);
    if (!*m_videoSettings.fullScreen && !m_allowOversizedWindow && (width >= desktopWidth || height >= desktopHeight))
    {
        if (!SelectFittingWindowedMode(device, bits, desktopWidth, desktopHeight))
            return false;
        m_windowStandIn = StringToLowerCopy(*m_videoSettings.videoMode);
        return true;
    }
    for (const auto& mode : device.modes)
        if (mode->width == width && mode->height == height && mode->bitsPerPixel == bits)
        {
            device.currentMode = mode.get();
            return true;
        }
    return false;
}

// A window that would not fit inside the desktop takes the largest 4:3 mode that does; when none does, the mode
// in use unless it is larger than the desktop, else the largest mode of the wanted depth that fits, else the
// desktop's own size. Fitting is being smaller than the desktop, so that a window manager's frame fits around the
// picture as well. The setting keeps the player's mode: the window only stands in for it, and full screen goes
// back to it.
bool RenderSystem_D3D7::SelectFittingWindowedMode(DeviceInfo& device, u32 bits, u32 desktopWidth, u32 desktopHeight)
{
    const auto fits = [desktopWidth, desktopHeight](const ModeInfo& mode) {
        return mode.width < desktopWidth && mode.height < desktopHeight;
    };
    for (const auto& mode : device.modes)
        if (mode->width % 4 == 0 && mode->height % 3 == 0 && mode->width / 4 == mode->height / 3 && fits(*mode) &&
            mode->width > 640 && mode->height > 480 && mode->bitsPerPixel == bits)
        {
            device.currentMode = mode.get();
            return true;
        }
    // A mode larger than the desktop (kept from full screen, which scales it down) would leave the window partly
    // off the screen.
    const ModeInfo* current = device.currentMode;
    if (current && current->width <= desktopWidth && current->height <= desktopHeight)
        return true;
    ModeInfo* chosen = nullptr;
    for (const auto& mode : device.modes)
        if (!chosen && fits(*mode) && mode->bitsPerPixel == bits)
            chosen = mode.get();
    if (!chosen)
        for (const auto& mode : device.modes)
            if (mode->width == desktopWidth && mode->height == desktopHeight &&
                (mode->bitsPerPixel == bits || !chosen))
                chosen = mode.get();
    if (chosen)
        device.currentMode = chosen;
    if (!device.currentMode)
        return false;
    const ModeInfo& taken = *device.currentMode;
    m_log->Warning("RenderSystem_D3D7: No windowed video mode fits inside the desktop, using " +
                   ModeText(taken.width, taken.height, taken.bitsPerPixel));
    return true;
}

void RenderSystem_D3D7::CreateDeviceWithFallback(bool logCaps)
{
    if (!m_currentAdapter)
        SelectDevice(false);
    if (CreateDevice(logCaps))
        return;
    if (CurrentDevice()->hardware)
    {
        m_log->Warning("......RenderSystem_D3D7: Switching to the software rasterizer");
        SelectDevice(true);
        CreateDeviceWithFallback(true);
        return;
    }
    m_log->Fatal("RenderSystem_D3D7: Failed to create Direct3D device");
}

bool RenderSystem_D3D7::CreateDevice(bool logCaps)
{
    SelectVideoMode();
    try
    {
        CreateDirectDraw();
        CreateScreenBuffers();
        CreateDirect3DDevice();
        CreateDepthBuffer();
        ReadCapabilities(logCaps);
        return true;
    }
    catch (const FatalError&)
    {
        throw;
    }
    catch (const Error& error)
    {
        Release();
        m_log->Error("RenderSystem_D3D7: " + error.GetMessage());
        return false;
    }
}

void RenderSystem_D3D7::CreateDirectDraw()
{
    m_log->Message("...Creating DirectDraw...");
    if (FAILED(DirectDrawCreateEx(CurrentAdapter()->guidPointer, reinterpret_cast<void**>(&m_directDraw),
                                  IID_IDirectDraw7, nullptr)))
        throw Error("Failed to create DirectDraw");
    const DWORD level = (CurrentDevice()->fullScreen ? DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT
                                                     : DDSCL_NORMAL) |
                        DDSCL_FPUSETUP;
    m_log->Message("......Setting cooperative level...");
    if (FAILED(m_directDraw->SetCooperativeLevel(m_window->GetHandle(), level)))
        throw Error("Failed to set DirectDraw cooperative level");
    DDSURFACEDESC2 display;
    if (FAILED(m_directDraw->GetDisplayMode(&display)) || display.ddpfPixelFormat.dwRGBBitCount <= 8)
        throw Error("Invalid DirectDraw display mode");
}

void RenderSystem_D3D7::CreateScreenBuffers()
{
    m_log->Message("......Creating screen buffers...");
    const DeviceInfo_D3D7& device = *CurrentDevice();
    const auto& mode = static_cast<const ModeInfo_D3D7&>(*device.currentMode);
    const AdapterInfo_D3D7& adapter = *CurrentAdapter();
    m_window->SetMode(mode.width, mode.height, device.fullScreen, adapter.desktopMode.dmPelsWidth,
                      adapter.desktopMode.dmPelsHeight);
    if (device.fullScreen && FAILED(m_directDraw->SetDisplayMode(mode.width, mode.height,
                                                                  mode.displayMode->ddpfPixelFormat.dwRGBBitCount,
                                                                  mode.displayMode->dwRefreshRate, 0)))
        throw Error("Failed to set display mode");
    DDSURFACEDESC2 primary;
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (device.fullScreen)
    {
        primary.dwFlags |= DDSD_BACKBUFFERCOUNT;
        primary.dwBackBufferCount = 1;
        primary.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    }
    if (FAILED(m_directDraw->CreateSurface(&primary, &m_primary, nullptr)))
        throw Error("Failed to create primary surface");
    if (device.fullScreen)
    {
        // GetAttachedSurface adds the reference the render system holds on the chain's back buffer.
        DDSCAPS2 caps;
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        if (FAILED(m_primary->GetAttachedSurface(&caps, &m_backBuffer)))
            throw Error("Failed to create back buffer");
    }
    else
    {
        IDirectDrawClipper* clipper = nullptr;
        if (FAILED(m_directDraw->CreateClipper(0, &clipper, nullptr)))
            throw Error("Failed to create clipper");
        clipper->SetHWnd(0, m_window->GetHandle());
        m_primary->SetClipper(clipper);
        clipper->Release();
        DDSURFACEDESC2 back;
        back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        back.dwWidth = mode.width;
        back.dwHeight = mode.height;
        back.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
        if (FAILED(m_directDraw->CreateSurface(&back, &m_backBuffer, nullptr)))
            throw Error("Failed to create back buffer");
    }
    m_backBuffer->GetSurfaceDesc(&m_backBufferDescription);
}

void RenderSystem_D3D7::CreateDirect3DDevice()
{
    m_log->Message("...Creating Direct3D...");
    if (FAILED(m_directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&m_direct3D))))
        throw Error("Failed to create Direct3D");
    m_log->Message("...Creating Direct3D device...");
    if (FAILED(m_direct3D->CreateDevice(CurrentDevice()->guid, m_backBuffer, &m_device)))
        throw Error("Failed to create Direct3D device");
    m_log->Message("......Setting viewport...");
    const ModeInfo& mode = *GetCurrentMode();
    D3DVIEWPORT7 viewport{0, 0, mode.width, mode.height, 0.0f, 1.0f};
    if (FAILED(m_device->SetViewport(&viewport)))
        throw Error("Failed to set viewport");
}

// Depth as deep as the colour, then 16 bits; a stencil wish that finds nothing is dropped for two more
// 16-bit searches.
void RenderSystem_D3D7::CreateDepthBuffer()
{
    m_log->Message("......Creating Z Buffer...");
    const DeviceInfo_D3D7& device = *CurrentDevice();
    if (device.caps.dpcTriCaps.dwRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR)
        return;
    const bool video = device.guid == IID_IDirect3DHALDevice || device.guid == IID_IDirect3DTnLHalDevice;
    const DWORD stencil = m_stencilRequested ? 1 : 0;
    const DepthSearch attempts[] = {{m_backBufferDescription.ddpfPixelFormat.dwRGBBitCount, stencil, {}, false},
                                    {16, stencil, {}, false},
                                    {16, 0, {}, false},
                                    {16, 0, {}, false}};
    const size_t attemptCount = m_stencilRequested ? 4 : 2;
    DepthSearch search;
    size_t attempt = 0;
    for (; attempt < attemptCount && !search.ok; ++attempt)
    {
        search = attempts[attempt];
        m_direct3D->EnumZBufferFormats(device.guid, AcceptDepthFormat, &search);
    }
    if (!search.ok)
        throw Error("Failed to create Z Buffer");
    m_stencilPresent = search.stencilBits > 0 ? 1 : 0;
    DDSURFACEDESC2 depth = m_backBufferDescription;
    depth.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    depth.ddsCaps = DDSCAPS2{};
    depth.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | (video ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
    depth.ddpfPixelFormat = search.found;
    if (FAILED(m_directDraw->CreateSurface(&depth, &m_depthBuffer, nullptr)))
        throw Error("Failed to create Z Buffer");
    if (FAILED(m_backBuffer->AddAttachedSurface(m_depthBuffer)))
        throw Error("Failed to create Z Buffer");
    if (FAILED(m_device->SetRenderTarget(m_backBuffer, 0)))
        throw Error("Failed to set render target");
}

void RenderSystem_D3D7::ReadCapabilities(bool logCaps)
{
    const D3DDEVICEDESC7& caps = CurrentDevice()->caps;
    m_stageCount = caps.wMaxSimultaneousTextures;
    m_maxTextureWidth = caps.dwMaxTextureWidth;
    m_maxTextureHeight = caps.dwMaxTextureHeight;
    m_maxAnisotropy = caps.dwMaxAnisotropy;
    if (!logCaps)
        return;
    m_log->Message(kDots);
    m_log->Message("......Capabilities:");
    m_log->Message(".........Maximal texture units: " + UIntToString(m_stageCount, 0));
    m_log->Message(".........Maximal texture size: " + UIntToString(m_maxTextureWidth, 0) + "x" +
                   UIntToString(m_maxTextureHeight, 0));
    m_log->Message(".........Maximal texture anisotropy: " + UIntToString(m_maxAnisotropy, 0));
}

void RenderSystem_D3D7::Release(bool fatalOnLeftovers)
{
    if (m_directDraw)
        m_directDraw->SetCooperativeLevel(m_window->GetHandle(), DDSCL_NORMAL);
    m_log->Message("...Releasing device...");
    ++m_deviceGeneration;
    const ULONG deviceLeft = ReleaseAndClear(m_device);
    m_log->Message("...Releasing surfaces...");
    ReleaseAndClear(m_backBuffer);
    ReleaseAndClear(m_depthBuffer);
    ReleaseAndClear(m_primary);
    m_log->Message("...Releasing Direct3D...");
    ReleaseAndClear(m_direct3D);
    m_log->Message("...Releasing DirectDraw...");
    const ULONG directDrawLeft = ReleaseAndClear(m_directDraw);
    std::string leftover;
    if (deviceLeft > 0)
        leftover = "RenderSystem_D3D7: device object is still referenced";
    else if (directDrawLeft > 0)
        leftover = "RenderSystem_D3D7: DirectDraw object is still referenced";
    if (leftover.empty())
        return;
    if (fatalOnLeftovers)
        m_log->Fatal(leftover);
    m_log->Error(leftover);
}

void RenderSystem_D3D7::CheckVideoModeChange()
{
    // "desktop" names no size of its own, and a window standing in for a mode too large for the desktop runs
    // another size than the setting's: both are compared with what the setting puts in use, so that a check
    // with nothing changed asks for no reset.
    if (!IsDesktopModeInUse() && !IsWindowStandingIn())
        RenderSystem::CheckVideoModeChange();
    m_resourcesLost = 1;
}

bool RenderSystem_D3D7::IsWindowStandingIn() const
{
    const DeviceInfo* device = GetCurrentDevice();
    return !m_windowStandIn.empty() && device && !device->fullScreen && !*m_videoSettings.fullScreen &&
           StringToLowerCopy(*m_videoSettings.videoMode) == m_windowStandIn;
}

bool RenderSystem_D3D7::IsDesktopModeInUse() const
{
    if (StringToLowerCopy(*m_videoSettings.videoMode) != "desktop")
        return false;
    const DeviceInfo* device = GetCurrentDevice();
    const ModeInfo* mode = GetCurrentMode();
    const AdapterInfo_D3D7* adapter = CurrentAdapter();
    if (!device || !mode || !adapter)
        return false;
    return device->fullScreen == *m_videoSettings.fullScreen && mode->width == adapter->desktopMode.dmPelsWidth &&
           mode->height == adapter->desktopMode.dmPelsHeight && mode->bitsPerPixel == adapter->desktopMode.dmBitsPerPel;
}

void RenderSystem_D3D7::Reset(u32 flags)
{
    const auto lock = LockResources();
    if (flags & ResetDevice)
    {
        m_log->Message("\nReseting Direct3D device:");
        if (m_resourcesLost)
            ReleaseTextureSurfaces();
        m_log->Message(kDots);
        Release();
        m_log->Message(kDots);
        CreateDeviceWithFallback(false);
        m_log->Message(kDots);
        ResizeStageArrays(m_stageCount);
        SetDefaultStates();
    }
    if ((flags & ResetResources) && m_resourcesLost)
        ReloadTextures();
    RenderSystem::Reset(flags);
}

void RenderSystem_D3D7::ReleaseTextureSurfaces()
{
    for (Texture2D_D3D7* texture : m_textures)
        texture->ReleaseSurface();
}

void RenderSystem_D3D7::ReloadTextures()
{
    for (Texture2D_D3D7* texture : m_textures)
        texture->Reload();
}

void RenderSystem_D3D7::RegisterTexture(Texture2D_D3D7* texture)
{
    const auto lock = LockResources();
    m_textures.push_back(texture);
}

void RenderSystem_D3D7::UnregisterTexture(Texture2D_D3D7* texture)
{
    const auto lock = LockResources();
    const auto found = std::find(m_textures.begin(), m_textures.end(), texture);
    if (found == m_textures.end())
    {
        m_log->Error("RenderSystem_D3D7: Failed to remove texture \"" + (texture ? texture->GetKeyName() : "") + "\"");
        return;
    }
    m_textures.erase(found);
    if (std::this_thread::get_id() == m_mainThread)
    {
        ForgetTexture(texture->GetSerial());
        return;
    }
    const std::lock_guard released(m_releasedMutex);
    m_releasedSerials.push_back(texture->GetSerial());
}

void RenderSystem_D3D7::ForgetTexturesReleasedElsewhere()
{
    std::vector<u64> serials;
    {
        const std::lock_guard released(m_releasedMutex);
        serials.swap(m_releasedSerials);
    }
    for (u64 serial : serials)
        ForgetTexture(serial);
}

std::vector<Texture2D_D3D7*> RenderSystem_D3D7::GetTextures() const
{
    const auto lock = LockResources();
    return m_textures;
}
}
