// A picture of the menu art with the file (or files) it is written as: a JPEG, a JPEG with its opacity
// companion ("x.jpg" + "x_alpha.jpg"), or a 32-bit TGA that keeps its own alpha.
#pragma once

#include "tools/formats/RgbaPicture.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
class DataStage;

enum class PictureFile
{
    Jpeg,
    JpegWithOpacity,
    Tga,
};

struct MenuPicture
{
    std::string path; // below data/, e.g. "ui/textures/panel.jpg"
    PictureFile file;
    RgbaPicture picture;
    // Set for a JPEG whose opacity picture is another one's (panel_dark uses panel_alpha.jpg).
    std::string sharedOpacity;
};

// The opacity companion's path: "x.jpg" -> "x_alpha.jpg".
std::string OpacityPath(const std::string& path);
void AddMenuPicture(DataStage& stage, const MenuPicture& picture);
}
