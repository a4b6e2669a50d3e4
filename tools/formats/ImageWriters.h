// Picture files the engine's image readers take: TGA 32-bit run-length (type 10), BMP 24-bit and JPEG.
#pragma once

#include "tools/formats/RgbaPicture.h"

#include <string>

namespace KorvaneTools
{
// Rows stored bottom first (the format's default origin), alpha kept.
std::string WriteTga(const RgbaPicture& picture);
// Rows stored bottom first; alpha dropped.
std::string WriteBmp(const RgbaPicture& picture);
// Colour JPEG of red, green and blue; alpha dropped. Deterministic for the same picture and quality.
std::string WriteJpeg(const RgbaPicture& picture, int quality = 88);
// Greyscale JPEG of the alpha channel: the opacity companion of a JPEG picture ("x_alpha.jpg").
std::string WriteJpegAlpha(const RgbaPicture& picture, int quality = 95);
// Reads back what WriteTga wrote (type 10 or 2, 32-bit, either origin); throws FormatError otherwise.
RgbaPicture ReadTga(const std::string& bytes);
}
