// Small picture operations the menu art is made of: frames pasted into nets, rounded corners, bevels,
// borders and tints. Coordinates are pixels, y down from the top row, as the Painter draws.
#pragma once

#include "tools/datagen/image/Painter.h"

#include <vector>

namespace KorvaneTools
{
RgbaPicture FilledPicture(unsigned width, unsigned height, const Colour& colour);
// Frames of equal size in reading order from the top-left, columns × rows of them.
RgbaPicture NetOf(const std::vector<RgbaPicture>& frames, unsigned columns, unsigned rows);
void Paste(RgbaPicture& into, const RgbaPicture& from, unsigned left, unsigned top);
// Multiplies the alpha by a rounded rectangle inset by margin pixels.
void RoundCorners(RgbaPicture& picture, float radius, float margin = 0);
// Lightens the top and left edges and darkens the bottom and right ones over width pixels (raised);
// a negative strength sinks the surface instead.
void Bevel(RgbaPicture& picture, float width, float strength, float margin = 0);
// A band of colour width pixels wide along the edges, mottled, inset by margin.
void Border(RgbaPicture& picture, float width, const Colour& colour, float margin, std::uint32_t seed);
// Brightness factor, then a mix toward grey by desaturation in [0, 1]; alpha kept.
void Tint(RgbaPicture& picture, float brightness, float desaturation);
// Every pixel's alpha multiplied by factor.
void Fade(RgbaPicture& picture, float factor);
// A soft dark halo under the picture's opaque parts (drop shadow), offset by (dx, dy).
void DropShadow(RgbaPicture& picture, int dx, int dy, float radius, float strength);
}
