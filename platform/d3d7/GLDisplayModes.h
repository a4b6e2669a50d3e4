// The display modes the OpenGL adapter offers. Full screen never switches the real display: the back buffer
// keeps the mode's size and is scaled onto the window, shape kept, so any size up to the desktop's can be
// offered, and the usual small 4:3 sizes on any display.
#pragma once

#include "platform/d3d7/DDraw.h"

#include <vector>

namespace Platform
{
class GLDisplayModes
{
public:
    // Every mode at 32 and at 16 bits per pixel: the display's own sizes, or, when the display reports fewer
    // than two (a virtual screen), the usual 4:3, 5:4 and wide sizes that fit the desktop, plus the desktop;
    // 640 x 480, 800 x 600 and 1024 x 768 always.
    static std::vector<DDSURFACEDESC2> List();
    static DDSURFACEDESC2 Desktop();
    static DDSURFACEDESC2 Describe(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate);
};
}
