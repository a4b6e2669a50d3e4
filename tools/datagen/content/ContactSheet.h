// Every picture of the menu art on one sheet over a checkerboard (so transparency shows), each labelled
// with its file name: the quick way to look at the whole look at once.
#pragma once

#include "tools/formats/RgbaPicture.h"

#include <string>

namespace KorvaneTools
{
RgbaPicture UiContactSheet(const std::string& fontFolder);
}
