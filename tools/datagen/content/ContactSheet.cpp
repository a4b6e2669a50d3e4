// The contact sheet of the menu art.
#include "tools/datagen/content/ContactSheet.h"

#include "tools/datagen/content/MenuBackground.h"
#include "tools/datagen/content/UiArt.h"
#include "tools/datagen/image/Painter.h"

#include <algorithm>

namespace KorvaneTools
{
namespace
{
constexpr unsigned SheetWidth = 2048;
constexpr unsigned SheetGap = 12;
constexpr unsigned LabelHeight = 18;

struct Placed
{
    const MenuPicture* picture;
    unsigned left, top;
};

void Checkerboard(RgbaPicture& sheet)
{
    for (unsigned y = 0; y < sheet.height; ++y)
        for (unsigned x = 0; x < sheet.width; ++x)
        {
            const VelkorEngine::u8 shade = ((x / 16 + y / 16) % 2) ? 70 : 100;
            VelkorEngine::u8* p = sheet.At(x, y);
            p[0] = p[1] = p[2] = shade;
            p[3] = 255;
        }
}
}

RgbaPicture UiContactSheet(const std::string& fontFolder)
{
    std::vector<MenuPicture> pictures = UiPictures(fontFolder);
    for (MenuPicture& picture : BackgroundPictures())
        pictures.push_back(std::move(picture));
    // Shelves left to right, a new shelf when the row is full.
    std::vector<Placed> placed;
    unsigned x = SheetGap, y = SheetGap, shelf = 0;
    for (const MenuPicture& picture : pictures)
    {
        if (x + picture.picture.width + SheetGap > SheetWidth)
        {
            x = SheetGap;
            y += shelf + LabelHeight + SheetGap;
            shelf = 0;
        }
        placed.push_back({&picture, x, y});
        x += std::max(picture.picture.width, 160u) + SheetGap;
        shelf = std::max(shelf, picture.picture.height);
    }
    RgbaPicture sheet(SheetWidth, y + shelf + LabelHeight + SheetGap);
    Checkerboard(sheet);
    Painter painter(sheet);
    const std::string face = fontFolder + "/DejaVuSans.ttf";
    for (const Placed& at : placed)
    {
        const RgbaPicture& picture = at.picture->picture;
        for (unsigned py = 0; py < picture.height; ++py)
            for (unsigned px = 0; px < picture.width; ++px)
            {
                const VelkorEngine::u8* p = picture.At(px, py);
                painter.Blend(int(at.left + px), int(at.top + py), Colour{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1},
                              p[3] / 255.0f);
            }
        const std::string name = at.picture->path.substr(at.picture->path.rfind('/') + 1);
        painter.Text(face, 13, name, float(at.left), float(at.top + picture.height + 14), Colour::Hex(0xFFFFFF));
    }
    return sheet;
}
}
