// Small drawing steps the play skins share: framed panels, lines, rivets, stripes, glows.
#pragma once

#include "tools/datagen/image/Painter.h"

namespace KorvaneTools
{
// A square picture of the size mottled in the colour.
RgbaPicture MottledPicture(unsigned size, unsigned rgb, float amount, std::uint32_t seed, float scale = 10.0f);
void FillRect(Painter& painter, float x0, float y0, float x1, float y1, const Colour& colour);
void Frame(Painter& painter, float size, float width, const Colour& colour);
void Line(Painter& painter, Point from, Point to, float width, const Colour& colour);
// A soft round glow: full colour at the centre fading to nothing at the radius.
void Glow(Painter& painter, Point centre, float radius, const Colour& colour);
// A jagged crack from a point, seeded.
void Crack(Painter& painter, Point from, float length, float angle, std::uint32_t seed, const Colour& colour);
// A picture of one colour whose alpha fades from the centre: the sprite textures of particles and flares.
RgbaPicture SoftSpot(unsigned size, unsigned rgb, float hardness);
}
