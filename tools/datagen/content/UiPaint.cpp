// Picture operations of the menu art.
#include "tools/datagen/content/UiPaint.h"

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
namespace
{
VelkorEngine::u8 RoundedByte(float value)
{
    return static_cast<VelkorEngine::u8>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

// Distance in pixels from the pixel centre to the nearest edge of the rectangle inset by margin.
float EdgeDistance(const RgbaPicture& picture, unsigned x, unsigned y, float margin)
{
    const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
    const float w = static_cast<float>(picture.width), h = static_cast<float>(picture.height);
    return std::min({px - margin, py - margin, w - margin - px, h - margin - py});
}
}

RgbaPicture FilledPicture(unsigned width, unsigned height, const Colour& colour)
{
    RgbaPicture picture(width, height);
    Painter(picture).Fill(colour);
    return picture;
}

RgbaPicture NetOf(const std::vector<RgbaPicture>& frames, unsigned columns, unsigned rows)
{
    const unsigned w = frames.front().width, h = frames.front().height;
    RgbaPicture net(w * columns, h * rows);
    for (size_t i = 0; i < frames.size() && i < size_t(columns) * rows; ++i)
        Paste(net, frames[i], static_cast<unsigned>(i % columns) * w, static_cast<unsigned>(i / columns) * h);
    return net;
}

void Paste(RgbaPicture& into, const RgbaPicture& from, unsigned left, unsigned top)
{
    for (unsigned y = 0; y < from.height && top + y < into.height; ++y)
        for (unsigned x = 0; x < from.width && left + x < into.width; ++x)
            std::copy_n(from.At(x, y), 4, into.At(left + x, top + y));
}

void RoundCorners(RgbaPicture& picture, float radius, float margin)
{
    const float w = static_cast<float>(picture.width), h = static_cast<float>(picture.height);
    for (unsigned y = 0; y < picture.height; ++y)
        for (unsigned x = 0; x < picture.width; ++x)
        {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            const float cx = std::clamp(px, margin + radius, w - margin - radius);
            const float cy = std::clamp(py, margin + radius, h - margin - radius);
            const float outside = std::hypot(px - cx, py - cy) - radius;
            const float inside = std::min(EdgeDistance(picture, x, y, margin), -outside);
            const float coverage = std::clamp(inside + 0.5f, 0.0f, 1.0f);
            picture.At(x, y)[3] = RoundedByte(picture.At(x, y)[3] * coverage);
        }
}

void Bevel(RgbaPicture& picture, float width, float strength, float margin)
{
    const float w = static_cast<float>(picture.width), h = static_cast<float>(picture.height);
    for (unsigned y = 0; y < picture.height; ++y)
        for (unsigned x = 0; x < picture.width; ++x)
        {
            const float px = static_cast<float>(x) + 0.5f - margin, py = static_cast<float>(y) + 0.5f - margin;
            const float right = w - 2 * margin - px, bottom = h - 2 * margin - py;
            const float lit = std::max(0.0f, 1.0f - std::min(px, py) / width);
            const float shaded = std::max(0.0f, 1.0f - std::min(right, bottom) / width);
            const float factor = 1.0f + strength * (std::min(px, py) < std::min(right, bottom) ? lit : -shaded);
            VelkorEngine::u8* p = picture.At(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = RoundedByte(p[c] * factor);
        }
}

void Border(RgbaPicture& picture, float width, const Colour& colour, float margin, std::uint32_t seed)
{
    Painter painter(picture);
    for (unsigned y = 0; y < picture.height; ++y)
        for (unsigned x = 0; x < picture.width; ++x)
        {
            const float d = EdgeDistance(picture, x, y, margin);
            if (d < 0 || d > width)
                continue;
            const float grain = 0.8f + 0.4f * FractalNoise(float(x) / 6, float(y) / 40, seed);
            const float ridge = 0.75f + 0.5f * std::sin(3.14159f * d / width);
            Colour shade = colour.Scaled(grain * ridge);
            shade.a = 1;
            painter.Blend(static_cast<int>(x), static_cast<int>(y), shade, std::clamp(width - d + 0.5f, 0.0f, 1.0f));
        }
}

void Tint(RgbaPicture& picture, float brightness, float desaturation)
{
    for (size_t i = 0; i < picture.pixels.size(); i += 4)
    {
        VelkorEngine::u8* p = &picture.pixels[i];
        const float grey = 0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2];
        for (int c = 0; c < 3; ++c)
            p[c] = RoundedByte((p[c] + (grey - p[c]) * desaturation) * brightness);
    }
}

void Fade(RgbaPicture& picture, float factor)
{
    for (size_t i = 3; i < picture.pixels.size(); i += 4)
        picture.pixels[i] = RoundedByte(picture.pixels[i] * factor);
}

void DropShadow(RgbaPicture& picture, int dx, int dy, float radius, float strength)
{
    const RgbaPicture source = picture;
    const int r = static_cast<int>(std::ceil(radius));
    const int w = static_cast<int>(picture.width), h = static_cast<int>(picture.height);
    RgbaPicture shadow(picture.width, picture.height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            float sum = 0;
            int count = 0;
            for (int j = -r; j <= r; j += 2)
                for (int i = -r; i <= r; i += 2)
                {
                    const int sx = x - dx + i, sy = y - dy + j;
                    ++count;
                    if (sx >= 0 && sy >= 0 && sx < w && sy < h)
                        sum += source.At(unsigned(sx), unsigned(sy))[3];
                }
            shadow.At(unsigned(x), unsigned(y))[3] = RoundedByte(sum / float(count) * strength);
        }
    // The shadow goes under: blend the source over the shadow.
    picture = shadow;
    Painter over(picture);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const VelkorEngine::u8* s = source.At(unsigned(x), unsigned(y));
            over.Blend(x, y, Colour{s[0] / 255.0f, s[1] / 255.0f, s[2] / 255.0f, 1}, s[3] / 255.0f);
        }
}
}
