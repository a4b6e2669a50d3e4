// The device-independent description of the display hardware: adapters own their rendering devices, and each
// device owns the video modes it can use.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <vector>

namespace VelkorEngine
{
struct ModeInfo
{
    virtual ~ModeInfo() = default;

    u32 width = 0;
    u32 height = 0;
    u32 bitsPerPixel = 0; // 16 or 32
};

struct DeviceInfo
{
    virtual ~DeviceInfo() = default;

    std::vector<std::unique_ptr<ModeInfo>> modes;
    ModeInfo* currentMode = nullptr;
    u8 fullScreen = 0;
};

struct AdapterInfo
{
    virtual ~AdapterInfo() = default;

    std::vector<std::unique_ptr<DeviceInfo>> devices;
    DeviceInfo* currentDevice = nullptr;
};
}
