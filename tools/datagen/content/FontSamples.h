// The preview picture of a sample text in the game's fonts, as the generator's --preview-text draws it.
#pragma once

#include "tools/formats/RgbaPicture.h"

#include <string>

namespace KorvaneTools
{
// One line per font (or only the named one), at the size the font lists give the language. Throws
// DataError for an unknown font or language.
RgbaPicture PreviewFonts(const std::string& fontFolder, const std::string& utf8Text, const std::string& fontName,
                         const std::string& language);
}
