// Window icon (gold "K" on a blue shield), cursor (gold arrow, tip at the top-left pixel) and the publisher's
// wordmark, big (drawn in the 800 × 600 corner the logo window shows) and small (with its opacity picture).
#include "tools/datagen/content/Pictures.h"

#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/content/Palette.h"
#include "tools/datagen/image/Painter.h"
#include "tools/formats/ImageWriters.h"

#include <algorithm>

namespace KorvaneTools
{
namespace
{
const Colour BrightGold = Colour::Hex(0xF2CF6B);
const Colour DarkStone = Colour::Hex(0x2A2B31);

std::vector<Point> Shield(float left, float top, float width, float height)
{
    const float mid = left + width / 2;
    return {{left, top},
            {left + width, top},
            {left + width, top + height * 0.55f},
            {mid + width * 0.25f, top + height * 0.85f},
            {mid, top + height},
            {mid - width * 0.25f, top + height * 0.85f},
            {left, top + height * 0.55f}};
}

RgbaPicture WindowIcon(const std::string& fontFolder)
{
    RgbaPicture icon(32, 32);
    Painter painter(icon);
    painter.Fill(Colour::Hex(0x000000, 0.0f));
    painter.FillPolygon(Shield(2, 1, 28, 30), Gold);
    painter.FillPolygon(Shield(4, 3, 24, 26), HeraldicBlue);
    const std::string face = fontFolder + "/DejaVuSerif-Bold.ttf";
    const float width = Painter::TextWidth(face, 20, "K");
    painter.Text(face, 20, "K", 16 - width / 2, 22, BrightGold);
    return icon;
}

RgbaPicture Cursor()
{
    RgbaPicture cursor(64, 64);
    Painter painter(cursor);
    painter.Fill(Colour::Hex(0x000000, 0.0f));
    const std::vector<Point> outline = {{0, 0}, {0, 46}, {12, 35}, {21, 56}, {30, 52}, {21, 32}, {37, 32}};
    const std::vector<Point> inner = {{3, 7}, {3, 39}, {12.5f, 30}, {22, 51}, {26, 49}, {16.5f, 28.5f}, {30, 28.5f}};
    painter.FillPolygon(outline, Ink);
    painter.FillPolygon(inner, Gold);
    painter.FillPolygon({{3, 7}, {3, 30}, {14, 20}}, BrightGold);
    return cursor;
}

void DrawTower(Painter& painter, float centreX, float baseY, float scale)
{
    const float w = 60 * scale, h = 110 * scale;
    painter.FillPolygon({{centreX - w / 2, baseY}, {centreX - w / 2, baseY - h}, {centreX + w / 2, baseY - h},
                         {centreX + w / 2, baseY}},
                        Gold);
    for (int m = 0; m < 3; ++m)
    {
        const float x = centreX - w / 2 + static_cast<float>(m) * w * 0.4f;
        painter.FillPolygon({{x, baseY - h}, {x, baseY - h - 16 * scale}, {x + w * 0.2f, baseY - h - 16 * scale},
                             {x + w * 0.2f, baseY - h}},
                            Gold);
    }
    painter.FillPolygon({{centreX - 10 * scale, baseY}, {centreX - 10 * scale, baseY - 30 * scale},
                         {centreX, baseY - 40 * scale}, {centreX + 10 * scale, baseY - 30 * scale},
                         {centreX + 10 * scale, baseY}},
                        DarkStone);
}

RgbaPicture BigLogo(const std::string& fontFolder)
{
    RgbaPicture logo(1024, 1024);
    Painter painter(logo);
    painter.Fill(Colour::Hex(0x000000));
    // The logo window shows the 800 × 600 corner at the picture's bottom left.
    RgbaPicture corner(800, 600);
    Painter cornerPainter(corner);
    cornerPainter.Mottle(DarkStone, 90, 0.5f, 77);
    DrawTower(cornerPainter, 400, 300, 1.2f);
    const std::string face = fontFolder + "/DejaVuSerif-Bold.ttf";
    const float width = Painter::TextWidth(face, 64, "Tarnwick Games");
    cornerPainter.Text(face, 64, "Tarnwick Games", 400 - width / 2, 420, Parchment);
    for (unsigned y = 0; y < 600; ++y)
        for (unsigned x = 0; x < 800; ++x)
            std::copy_n(corner.At(x, y), 4, logo.At(x, 1024 - 600 + y));
    return logo;
}

RgbaPicture SmallLogo(const std::string& fontFolder)
{
    RgbaPicture logo(128, 64);
    Painter painter(logo);
    painter.Fill(Colour::Hex(0x000000, 0.0f));
    DrawTower(painter, 64, 30, 0.22f);
    const std::string face = fontFolder + "/DejaVuSerif-Bold.ttf";
    const float width = Painter::TextWidth(face, 14, "Tarnwick Games");
    painter.Text(face, 14, "Tarnwick Games", 64 - width / 2, 50, Parchment);
    return logo;
}
}

void GeneratePictures(GeneratorContext& context)
{
    context.stage.Add("ui/icon.bmp", WriteBmp(WindowIcon(context.fontFolder)));
    const RgbaPicture cursor = Cursor();
    context.stage.Add("ui/cursors/cursor.jpg", WriteJpeg(cursor));
    context.stage.Add("ui/cursors/cursor_alpha.jpg", WriteJpegAlpha(cursor));
    context.stage.Add("ui/textures/publishers/0_logo_big.jpg", WriteJpeg(BigLogo(context.fontFolder)));
    const RgbaPicture small = SmallLogo(context.fontFolder);
    context.stage.Add("ui/textures/publishers/0_logo_small.jpg", WriteJpeg(small));
    context.stage.Add("ui/textures/publishers/0_logo_small_alpha.jpg", WriteJpegAlpha(small));
}
}
