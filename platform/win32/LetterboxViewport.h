// Where a full-screen frame of the chosen mode's size is shown on a screen of any size: the largest rectangle of
// the frame's shape that fits, centred, with black bars beside it or above and below it. Pointer positions go
// through the same mapping both ways, so the program sees the pointer where the frame draws it.
#pragma once

#include "platform/win32/Win32Types.h"
#include "platform/win32/WindowApi.h"

namespace Platform
{
class LetterboxViewport
{
public:
    // The screen's rectangle (any origin) and the frame's size; empty sizes give an empty viewport at the origin.
    LetterboxViewport(const RECT& screen, LONG frameWidth, LONG frameHeight);

    // The picture's rectangle on the screen.
    const RECT& Viewport() const { return m_viewport; }
    LONG FrameWidth() const { return m_frameWidth; }
    LONG FrameHeight() const { return m_frameHeight; }
    // True when the picture covers the whole screen: there are no bars to paint.
    bool FillsScreen() const;

    // A screen position as a frame position; positions on the bars fall outside the frame (negative or beyond
    // its size), so nothing drawn there takes them.
    POINT ToFrame(POINT screenPoint) const;
    // A frame position as the screen position at the centre of what shows that frame pixel.
    POINT ToScreen(POINT framePoint) const;

private:
    RECT m_screen;
    RECT m_viewport{};
    LONG m_frameWidth = 0;
    LONG m_frameHeight = 0;
};
}
