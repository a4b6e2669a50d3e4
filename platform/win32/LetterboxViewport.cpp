// Integer arithmetic throughout: the same sizes always give the same viewport, on every machine.
#include "platform/win32/LetterboxViewport.h"

#include <algorithm>
#include <cstdint>

namespace Platform
{
namespace
{
// Rounds down, also below zero, so the bar left of or above the picture maps outside the frame.
std::int64_t FloorDivide(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}

std::int64_t RoundedDivide(std::int64_t numerator, std::int64_t denominator)
{
    return FloorDivide(2 * numerator + denominator, 2 * denominator);
}

// The frame pixel shown under the screen pixel's centre, along one axis.
LONG ScreenToFrame(LONG screen, LONG viewStart, LONG viewEnd, LONG frameSize)
{
    const std::int64_t viewSize = std::int64_t{viewEnd} - viewStart;
    return static_cast<LONG>(FloorDivide((2 * (std::int64_t{screen} - viewStart) + 1) * frameSize, 2 * viewSize));
}

// The screen pixel under the frame pixel's centre, along one axis.
LONG FrameToScreen(LONG frame, LONG viewStart, LONG viewEnd, LONG frameSize)
{
    const std::int64_t viewSize = std::int64_t{viewEnd} - viewStart;
    return static_cast<LONG>(viewStart +
                             FloorDivide((2 * std::int64_t{frame} + 1) * viewSize, 2 * std::int64_t{frameSize}));
}
}

LetterboxViewport::LetterboxViewport(const RECT& screen, LONG frameWidth, LONG frameHeight)
    : m_screen(screen), m_frameWidth(frameWidth), m_frameHeight(frameHeight)
{
    const std::int64_t screenWidth = std::int64_t{screen.right} - screen.left;
    const std::int64_t screenHeight = std::int64_t{screen.bottom} - screen.top;
    if (screenWidth <= 0 || screenHeight <= 0 || frameWidth <= 0 || frameHeight <= 0)
    {
        m_viewport = RECT{screen.left, screen.top, screen.left, screen.top};
        return;
    }
    std::int64_t width = screenWidth;
    std::int64_t height = screenHeight;
    // The screen is narrower than the frame's shape: the picture takes its width, bars above and below.
    if (screenWidth * frameHeight <= screenHeight * frameWidth)
        height = std::max<std::int64_t>(1, RoundedDivide(screenWidth * frameHeight, frameWidth));
    else
        width = std::max<std::int64_t>(1, RoundedDivide(screenHeight * frameWidth, frameHeight));
    const std::int64_t left = screen.left + (screenWidth - width) / 2;
    const std::int64_t top = screen.top + (screenHeight - height) / 2;
    m_viewport = RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + width),
                      static_cast<LONG>(top + height)};
}

bool LetterboxViewport::FillsScreen() const
{
    return m_viewport.left == m_screen.left && m_viewport.top == m_screen.top &&
           m_viewport.right == m_screen.right && m_viewport.bottom == m_screen.bottom;
}

POINT LetterboxViewport::ToFrame(POINT screenPoint) const
{
    if (m_viewport.right <= m_viewport.left || m_viewport.bottom <= m_viewport.top)
        return screenPoint;
    return POINT{ScreenToFrame(screenPoint.x, m_viewport.left, m_viewport.right, m_frameWidth),
                 ScreenToFrame(screenPoint.y, m_viewport.top, m_viewport.bottom, m_frameHeight)};
}

POINT LetterboxViewport::ToScreen(POINT framePoint) const
{
    if (m_viewport.right <= m_viewport.left || m_viewport.bottom <= m_viewport.top)
        return framePoint;
    return POINT{FrameToScreen(framePoint.x, m_viewport.left, m_viewport.right, m_frameWidth),
                 FrameToScreen(framePoint.y, m_viewport.top, m_viewport.bottom, m_frameHeight)};
}
}
