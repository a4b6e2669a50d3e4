// Display modes from the window layer's display queries, with a synthesized list for virtual screens.
#include "platform/d3d7/GLDisplayModes.h"

#include "platform/win32/WindowApi.h"

#include <algorithm>
#include <utility>

namespace Platform
{
namespace
{
constexpr DWORD kDefaultRefreshRate = 60;

constexpr std::pair<DWORD, DWORD> kUsualSizes[] = {
    {640, 480},   {800, 600},   {1024, 768},  {1152, 864},  {1280, 960},  {1400, 1050}, {1600, 1200},
    {1920, 1440}, {2048, 1536}, {1280, 1024}, {1280, 720},  {1280, 800},  {1366, 768},  {1440, 900},
    {1600, 900},  {1680, 1050}, {1920, 1080}, {1920, 1200}, {2560, 1440}, {2560, 1600}, {3840, 2160}};

using Size = std::pair<DWORD, DWORD>;

// Full screen scales the picture down onto a smaller display, so these are offered on any display.
constexpr Size kAlwaysOffered[] = {{640, 480}, {800, 600}, {1024, 768}};

std::vector<Size> ReportedSizes()
{
    std::vector<Size> sizes;
    DEVMODE mode;
    for (DWORD index = 0; EnumDisplaySettings(nullptr, index, &mode); ++index)
    {
        const Size size{mode.dmPelsWidth, mode.dmPelsHeight};
        if (size.first > 0 && size.second > 0 && std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            sizes.push_back(size);
    }
    return sizes;
}

std::vector<Size> UsualSizesWithin(const Size& desktop)
{
    std::vector<Size> sizes;
    for (const Size& size : kUsualSizes)
        if (size.first <= desktop.first && size.second <= desktop.second)
            sizes.push_back(size);
    if (std::find(sizes.begin(), sizes.end(), desktop) == sizes.end())
        sizes.push_back(desktop);
    return sizes;
}
}

DDSURFACEDESC2 GLDisplayModes::Describe(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate)
{
    DDSURFACEDESC2 mode;
    mode.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE | DDSD_PITCH;
    mode.dwWidth = width;
    mode.dwHeight = height;
    mode.dwRefreshRate = refreshRate;
    mode.lPitch = static_cast<LONG>(width * (bitsPerPixel / 8));
    DDPIXELFORMAT& format = mode.ddpfPixelFormat;
    format.dwFlags = DDPF_RGB;
    format.dwRGBBitCount = bitsPerPixel;
    if (bitsPerPixel == 16)
    {
        format.dwRBitMask = 0xF800;
        format.dwGBitMask = 0x07E0;
        format.dwBBitMask = 0x001F;
    }
    else
    {
        format.dwRBitMask = 0x00FF0000;
        format.dwGBitMask = 0x0000FF00;
        format.dwBBitMask = 0x000000FF;
    }
    return mode;
}

DDSURFACEDESC2 GLDisplayModes::Desktop()
{
    DEVMODE desktop;
    if (!EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &desktop) || desktop.dmPelsWidth == 0 ||
        desktop.dmPelsHeight == 0)
        return Describe(640, 480, 32, kDefaultRefreshRate);
    const DWORD bits = desktop.dmBitsPerPel == 16 ? 16 : 32;
    const DWORD refresh = desktop.dmDisplayFrequency ? desktop.dmDisplayFrequency : kDefaultRefreshRate;
    return Describe(desktop.dmPelsWidth, desktop.dmPelsHeight, bits, refresh);
}

std::vector<DDSURFACEDESC2> GLDisplayModes::List()
{
    const DDSURFACEDESC2 desktop = Desktop();
    std::vector<Size> sizes = ReportedSizes();
    if (sizes.size() < 2)
        sizes = UsualSizesWithin(Size{desktop.dwWidth, desktop.dwHeight});
    for (const Size& size : kAlwaysOffered)
        if (std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            sizes.push_back(size);
    std::vector<DDSURFACEDESC2> modes;
    for (const Size& size : sizes)
        for (DWORD bits : {32u, 16u})
            modes.push_back(Describe(size.first, size.second, bits, desktop.dwRefreshRate));
    return modes;
}
}
