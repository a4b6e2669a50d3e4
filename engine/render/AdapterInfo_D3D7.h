// What DirectDraw 7 and Direct3D 7 report about an adapter, its devices and their video modes.
#pragma once

#include "engine/render/AdapterInfo.h"
#include "platform/d3d7/D3D.h"
#include "platform/win32/WindowApi.h"

namespace VelkorEngine
{
struct ModeInfo_D3D7 : ModeInfo
{
    // The adapter's record of the display mode (refresh rate and pixel format), not owned.
    const DDSURFACEDESC2* displayMode = nullptr;
};

struct DeviceInfo_D3D7 : DeviceInfo
{
    GUID guid;
    GUID* guidPointer = nullptr;
    char name[64] = {};
    char description[64] = {};
    D3DDEVICEDESC7 caps;
    u8 hardware = 0;
};

struct AdapterInfo_D3D7 : AdapterInfo
{
    GUID guid;
    GUID* guidPointer = nullptr; // null for the primary display driver
    char description[64] = {};
    DDCAPS hardwareCaps;
    DDCAPS emulationCaps;
    u8 windowedCapable = 0;
    DEVMODE desktopMode;
    // Largest first; filled before the devices, which point into it.
    std::vector<DDSURFACEDESC2> displayModes;
};
}
