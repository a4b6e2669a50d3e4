// GUI art. The look: stone plaques with parchment lettering, parchment and dark-slate panels in oak and iron
// frames, gold for what is selected. Button and check box states are frames of one net, in reading order
// (buttons: normal, hover, pressed, disabled; check boxes: the three unticked, the three ticked, disabled
// unticked and ticked).
#include "tools/datagen/content/Palette.h"
#include "tools/datagen/content/UiArt.h"

#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/content/MapLayout.h"
#include "tools/datagen/content/UiModels.h"
#include "tools/datagen/content/UiPaint.h"

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
namespace
{
const Colour Stone = Colour::Hex(0x7A7670);
const Colour Mortar = Colour::Hex(0x3C3935);
const Colour Slate = Colour::Hex(0x2A2B31);
const Colour SlateLight = Colour::Hex(0x3B3D44);
const Colour ParchmentDark = Colour::Hex(0xCDB98A);
const Colour Oak = Colour::Hex(0x5A3A20);
const Colour OakLight = Colour::Hex(0x7A5230);
const Colour Iron = Colour::Hex(0x4A4D52);
const Colour IronLight = Colour::Hex(0x8A8F96);
const Colour GoldLight = Colour::Hex(0xF2CF6B);
const Colour Crimson = Colour::Hex(0x8C1F1F);
const Colour Moss = Colour::Hex(0x4F6B3A);

enum class State
{
    Normal,
    Hover,
    Pressed,
    Disabled,
};
constexpr State ButtonStates[] = {State::Normal, State::Hover, State::Pressed, State::Disabled};

RgbaPicture Mottled(unsigned w, unsigned h, const Colour& colour, float scale, float amount, std::uint32_t seed)
{
    RgbaPicture picture(w, h);
    Painter(picture).Mottle(colour, scale, amount, seed);
    return picture;
}

// Stains: a second colour laid over where slow noise is high.
void Stain(RgbaPicture& picture, const Colour& colour, float scale, float strength, std::uint32_t seed)
{
    Painter painter(picture);
    for (unsigned y = 0; y < picture.height; ++y)
        for (unsigned x = 0; x < picture.width; ++x)
        {
            const float n = FractalNoise(float(x) / scale, float(y) / scale, seed);
            painter.Blend(int(x), int(y), colour, std::clamp((n - 0.45f) * 3.0f, 0.0f, 1.0f) * strength);
        }
}

// The same lighting and rim for every state of a stone or iron control.
void Dress(RgbaPicture& face, State state, float bevel, float radius, std::uint32_t seed)
{
    switch (state)
    {
    case State::Normal:
        Bevel(face, bevel, 0.35f, 2);
        break;
    case State::Hover:
        Tint(face, 1.25f, 0.0f);
        Bevel(face, bevel, 0.35f, 2);
        Border(face, std::max(3.0f, bevel * 0.35f), Gold, 2, seed);
        break;
    case State::Pressed:
        Tint(face, 0.75f, 0.0f);
        Bevel(face, bevel, -0.3f, 2);
        break;
    case State::Disabled:
        Tint(face, 0.8f, 0.85f);
        Fade(face, 0.75f);
        break;
    }
    RoundCorners(face, radius, 2);
}

RgbaPicture Plaque(unsigned w, unsigned h, State state, std::uint32_t seed)
{
    RgbaPicture face = Mottled(w, h, Stone.Scaled(0.72f), 24, 0.35f, seed);
    Border(face, float(h) * 0.06f, Mortar, 2, seed + 1);
    Dress(face, state, float(h) * 0.14f, float(h) * 0.2f, seed + 2);
    return face;
}

RgbaPicture PlaqueNet(unsigned w, unsigned h, std::uint32_t seed)
{
    std::vector<RgbaPicture> frames;
    for (State state : ButtonStates)
        frames.push_back(Plaque(w, h, state, seed));
    return NetOf(frames, 2, 2);
}

// Parchment in an oak frame, or dark slate in an iron one; both share the rounded opacity.
RgbaPicture Panel(bool dark)
{
    RgbaPicture panel = dark ? Mottled(512, 512, SlateLight, 60, 0.35f, 31) : Mottled(512, 512, Parchment, 70, 0.18f, 31);
    Stain(panel, dark ? Slate : ParchmentDark, 90, 0.5f, 32);
    Border(panel, 24, dark ? Iron : Oak, 0, 33);
    Border(panel, 3, dark ? IronLight.Scaled(0.7f) : Ink, 24, 34);
    if (dark)
        for (float at : {12.0f, 500.0f})
            for (float along = 40; along < 480; along += 72)
            {
                Painter painter(panel);
                for (Point p : {Point{at, along}, Point{along, at}})
                {
                    painter.FillCircle(p, 4.5f, IronLight);
                    painter.FillCircle({p.x - 1, p.y - 1}, 2, IronLight.Mixed(Colour::Hex(0xFFFFFF), 0.4f));
                }
            }
    RoundCorners(panel, 30, 0);
    return panel;
}

RgbaPicture Row(State state, bool current)
{
    RgbaPicture row = Mottled(256, 64, Oak, 14, 0.45f, 41);
    Stain(row, OakLight, 30, 0.4f, 42);
    if (current)
    {
        row = Mottled(256, 64, Colour::Hex(0x8A6A2A), 20, 0.3f, 43);
        Border(row, 4, Gold, 1, 44);
    }
    else if (state == State::Hover)
    {
        Tint(row, 1.3f, 0.0f);
        Border(row, 3, Gold, 1, 44);
    }
    else if (state == State::Pressed)
        Tint(row, 0.7f, 0.0f);
    Bevel(row, 8, 0.25f, 1);
    RoundCorners(row, 10, 1);
    if (!current && state == State::Normal)
        Fade(row, 0.85f);
    return row;
}

RgbaPicture EditField()
{
    RgbaPicture field = Mottled(512, 64, Colour::Hex(0x3A2818), 18, 0.4f, 51);
    Bevel(field, 10, -0.45f, 1);
    Border(field, 2, Ink, 0, 52);
    return field;
}

void PaintTick(Painter& painter, float s, const Colour& colour)
{
    painter.FillPolygon({{14 * s, 34 * s}, {22 * s, 26 * s}, {29 * s, 36 * s}, {47 * s, 14 * s}, {54 * s, 21 * s},
                         {29 * s, 50 * s}},
                        colour);
}

RgbaPicture IronBox(State state, bool ticked, std::uint32_t seed, bool brackets)
{
    RgbaPicture box = Mottled(64, 64, Iron, 10, 0.35f, seed);
    Painter painter(box);
    painter.FillPolygon({{12, 12}, {52, 12}, {52, 52}, {12, 52}}, Slate);
    if (brackets)
    {
        const Colour mark = ticked ? GoldLight : IronLight;
        for (int corner = 0; corner < 4; ++corner)
        {
            const float x = corner % 2 ? 46.0f : 18.0f, y = corner / 2 ? 46.0f : 18.0f;
            const float dx = corner % 2 ? -1.0f : 1.0f, dy = corner / 2 ? -1.0f : 1.0f;
            painter.FillPolygon({{x, y}, {x + 12 * dx, y}, {x + 12 * dx, y + 4 * dy}, {x + 4 * dx, y + 4 * dy},
                                 {x + 4 * dx, y + 12 * dy}, {x, y + 12 * dy}},
                                mark);
        }
    }
    else if (ticked)
        PaintTick(painter, 1.0f, GoldLight);
    Dress(box, state, 7, 8, seed + 1);
    return box;
}

RgbaPicture CheckNet(std::uint32_t seed, bool brackets)
{
    std::vector<RgbaPicture> frames;
    for (bool ticked : {false, true})
        for (State state : {State::Normal, State::Hover, State::Pressed})
            frames.push_back(IronBox(state, ticked, seed, brackets));
    frames.push_back(IronBox(State::Disabled, false, seed, brackets));
    frames.push_back(IronBox(State::Disabled, true, seed, brackets));
    return NetOf(frames, 4, 2);
}

RgbaPicture Track(unsigned w, unsigned h)
{
    RgbaPicture track = Mottled(w, h, Mortar, 12, 0.4f, 61);
    Bevel(track, float(std::min(w, h)) * 0.3f, -0.5f, 0);
    RoundCorners(track, float(std::min(w, h)) * 0.45f, 0);
    return track;
}

RgbaPicture Gem(State state)
{
    RgbaPicture gem(64, 64);
    Painter painter(gem);
    painter.Fill(Clear);
    painter.FillCircle({32, 32}, 29, state == State::Hover ? GoldLight : Gold);
    painter.FillCircle({32, 32}, 22, Crimson.Scaled(state == State::Pressed ? 0.7f : 1.0f));
    painter.FillCircle({26, 25}, 8, Colour::Hex(0xFFFFFF, 0.45f));
    if (state == State::Disabled)
        Tint(gem, 0.8f, 0.85f);
    return gem;
}

RgbaPicture ArrowPicture(State state, int direction, std::uint32_t seed)
{
    RgbaPicture face = Mottled(64, 64, Stone.Scaled(0.72f), 10, 0.35f, seed);
    Painter painter(face);
    // Pointing right, then turned: 0 left, 1 right, 2 up, 3 down (y down in the picture).
    const Point shape[3] = {{22, 16}, {46, 32}, {22, 48}};
    std::vector<Point> points;
    for (Point p : shape)
    {
        const float x = p.x - 32, y = p.y - 32;
        switch (direction)
        {
        case 0: points.push_back({32 - x, 32 + y}); break;
        case 1: points.push_back({32 + x, 32 + y}); break;
        case 2: points.push_back({32 + y, 32 - x}); break;
        default: points.push_back({32 + y, 32 + x}); break;
        }
    }
    painter.FillPolygon(points, Parchment);
    Dress(face, state, 8, 14, seed + 1);
    return face;
}

RgbaPicture ArrowNet(int direction)
{
    std::vector<RgbaPicture> frames;
    for (State state : ButtonStates)
        frames.push_back(ArrowPicture(state, direction, 71));
    return NetOf(frames, 2, 2);
}

RgbaPicture HudPlate()
{
    RgbaPicture plate = Mottled(256, 64, Iron, 16, 0.35f, 81);
    Bevel(plate, 8, 0.35f, 1);
    Painter painter(plate);
    for (Point p : {Point{10, 10}, Point{246, 10}, Point{10, 54}, Point{246, 54}})
        painter.FillCircle(p, 4, IronLight);
    RoundCorners(plate, 14, 1);
    Fade(plate, 0.92f);
    return plate;
}

RgbaPicture HudLife()
{
    RgbaPicture life(64, 64);
    Painter painter(life);
    painter.Fill(Clear);
    painter.FillPolygon({{6, 4}, {58, 4}, {58, 34}, {32, 60}, {6, 34}}, Gold);
    painter.FillPolygon({{10, 8}, {54, 8}, {54, 32}, {32, 54}, {10, 32}}, HeraldicBlue);
    painter.FillCircle({25, 24}, 8, Crimson.Mixed(Colour::Hex(0xFF3030), 0.4f));
    painter.FillCircle({39, 24}, 8, Crimson.Mixed(Colour::Hex(0xFF3030), 0.4f));
    painter.FillPolygon({{17.5f, 27}, {46.5f, 27}, {32, 44}}, Crimson.Mixed(Colour::Hex(0xFF3030), 0.4f));
    return life;
}

RgbaPicture HudButton(State state, int symbol)
{
    RgbaPicture face = Mottled(64, 64, Iron, 10, 0.35f, 91);
    Painter painter(face);
    const Colour mark = IronLight.Mixed(Parchment, 0.6f);
    if (symbol == 0)
        for (float y : {20.0f, 30.0f, 40.0f})
            painter.FillPolygon({{16, y}, {48, y}, {48, y + 5}, {16, y + 5}}, mark);
    else if (symbol == 1)
        painter.FillPolygon({{16, 40}, {48, 40}, {48, 46}, {16, 46}}, mark);
    else
    {
        painter.FillPolygon({{18, 22}, {22, 18}, {46, 42}, {42, 46}}, mark);
        painter.FillPolygon({{42, 18}, {46, 22}, {22, 46}, {18, 42}}, mark);
    }
    Dress(face, state, 7, 10, 92);
    return face;
}

RgbaPicture HudButtonNet(int symbol)
{
    std::vector<RgbaPicture> frames;
    for (State state : ButtonStates)
        frames.push_back(HudButton(state, symbol));
    return NetOf(frames, 2, 2);
}

// Dilates the alpha of a picture by radius pixels: an outline under lettering.
RgbaPicture Outline(const RgbaPicture& picture, int radius, const Colour& colour)
{
    RgbaPicture outline(picture.width, picture.height);
    Painter painter(outline);
    painter.Fill(Clear);
    for (int y = 0; y < int(picture.height); ++y)
        for (int x = 0; x < int(picture.width); ++x)
        {
            int best = 0;
            for (int j = -radius; j <= radius; ++j)
                for (int i = -radius; i <= radius; ++i)
                {
                    const int sx = x + i, sy = y + j;
                    if (i * i + j * j <= radius * radius && sx >= 0 && sy >= 0 && sx < int(picture.width) &&
                        sy < int(picture.height))
                        best = std::max(best, int(picture.At(unsigned(sx), unsigned(sy))[3]));
                }
            painter.Blend(x, y, colour, float(best) / 255.0f);
        }
    return outline;
}

void Over(RgbaPicture& below, const RgbaPicture& above)
{
    Painter painter(below);
    for (unsigned y = 0; y < above.height; ++y)
        for (unsigned x = 0; x < above.width; ++x)
        {
            const VelkorEngine::u8* p = above.At(x, y);
            painter.Blend(int(x), int(y), Colour{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1}, p[3] / 255.0f);
        }
}

RgbaPicture LogoTitle(const std::string& fontFolder)
{
    const std::string face = fontFolder + "/DejaVuSerif-Bold.ttf";
    RgbaPicture letters(512, 128);
    Painter painter(letters);
    painter.Fill(Clear);
    const float width = Painter::TextWidth(face, 84, "KORVANE");
    painter.Text(face, 84, "KORVANE", 256 - width / 2, 94, Colour::Hex(0xFFFFFF));
    // Gold from light at the top to deep at the bottom.
    for (unsigned y = 0; y < 128; ++y)
    {
        const Colour shade = GoldLight.Mixed(Gold.Scaled(0.8f), std::clamp((float(y) - 20) / 80, 0.0f, 1.0f));
        for (unsigned x = 0; x < 512; ++x)
        {
            VelkorEngine::u8* p = letters.At(x, y);
            p[0] = VelkorEngine::u8(shade.r * 255);
            p[1] = VelkorEngine::u8(shade.g * 255);
            p[2] = VelkorEngine::u8(shade.b * 255);
        }
    }
    RgbaPicture logo = Outline(letters, 3, Ink);
    DropShadow(logo, 4, 5, 4, 0.6f);
    Over(logo, letters);
    return logo;
}

RgbaPicture LoadingEmblem()
{
    RgbaPicture emblem(256, 256);
    Painter painter(emblem);
    painter.Fill(Clear);
    painter.FillPolygon({{24, 16}, {232, 16}, {232, 130}, {128, 244}, {24, 130}}, Gold);
    painter.FillPolygon({{36, 28}, {220, 28}, {220, 126}, {128, 228}, {36, 126}}, HeraldicBlue);
    for (int side : {-1, 1})
    {
        // A hammer: handle from the bottom corner toward the opposite top, head across its end.
        const float dx = float(side);
        const Point from{128 - 62 * dx, 190}, to{128 + 50 * dx, 62};
        const float len = std::hypot(to.x - from.x, to.y - from.y);
        const float ux = (to.x - from.x) / len, uy = (to.y - from.y) / len, nx = -uy, ny = ux;
        painter.FillPolygon({{from.x + nx * 6, from.y + ny * 6}, {to.x + nx * 6, to.y + ny * 6},
                             {to.x - nx * 6, to.y - ny * 6}, {from.x - nx * 6, from.y - ny * 6}},
                            OakLight);
        const Point head{to.x, to.y};
        painter.FillPolygon({{head.x + nx * 30 - ux * 14, head.y + ny * 30 - uy * 14},
                             {head.x + nx * 30 + ux * 14, head.y + ny * 30 + uy * 14},
                             {head.x - nx * 30 + ux * 14, head.y - ny * 30 + uy * 14},
                             {head.x - nx * 30 - ux * 14, head.y - ny * 30 - uy * 14}},
                            IronLight);
    }
    return emblem;
}

RgbaPicture TitleMount()
{
    RgbaPicture sign = Mottled(256, 128, OakLight, 10, 0.4f, 101);
    Painter painter(sign);
    for (float y : {42.0f, 86.0f})
        painter.FillPolygon({{6, y}, {250, y}, {250, y + 2}, {6, y + 2}}, Oak.Scaled(0.7f));
    Border(sign, 8, Oak.Scaled(0.8f), 0, 102);
    for (Point p : {Point{18, 18}, Point{238, 18}, Point{18, 110}, Point{238, 110}})
        painter.FillCircle(p, 5, IronLight);
    Bevel(sign, 10, 0.3f, 0);
    RoundCorners(sign, 14, 0);
    return sign;
}

// A picture point of the map panel from a marker's place in GUI units of the 680 × 400 panel.
Point MapPoint(const MapMarkerSpot& spot)
{
    return {spot.x * 1024.0f / 680.0f, 512.0f - spot.y * 512.0f / 400.0f};
}

void DrawCastle(Painter& painter, float x, float base, float scale, const Colour& colour)
{
    const float s = scale;
    painter.FillPolygon({{x - 40 * s, base}, {x - 40 * s, base - 40 * s}, {x + 40 * s, base - 40 * s},
                         {x + 40 * s, base}},
                        colour);
    for (float tower : {-40.0f, 40.0f})
        painter.FillPolygon({{x + (tower - 12) * s, base}, {x + (tower - 12) * s, base - 64 * s},
                             {x + tower * s, base - 80 * s}, {x + (tower + 12) * s, base - 64 * s},
                             {x + (tower + 12) * s, base}},
                            colour.Scaled(0.85f));
    painter.FillPolygon({{x - 8 * s, base}, {x - 8 * s, base - 18 * s}, {x, base - 24 * s}, {x + 8 * s, base - 18 * s},
                         {x + 8 * s, base}},
                        Ink);
}

RgbaPicture MapPanel()
{
    RgbaPicture map = Mottled(1024, 512, Parchment, 90, 0.2f, 111);
    Stain(map, ParchmentDark, 120, 0.6f, 112);
    Painter painter(map);
    // Green fields for the first stage on the left, dark hills for the crypt's stage on the right.
    for (int i = 0; i < 9; ++i)
    {
        const float x = 60 + float(i % 3) * 110, y = 330 + float(i / 3) * 50;
        painter.FillPolygon({{x, y}, {x + 100, y - 8}, {x + 108, y + 36}, {x + 6, y + 42}}, Moss.Mixed(Parchment, 0.35f + 0.1f * float(i % 2)));
    }
    DrawCastle(painter, 110, 250, 1.0f, Stone);
    for (int i = 0; i < 5; ++i)
    {
        const float x = 600 + float(i) * 90;
        painter.FillPolygon({{x - 90, 250}, {x, 170 - float(i % 2) * 30}, {x + 90, 250}}, SlateLight.Mixed(Parchment, 0.25f));
    }
    painter.FillPolygon({{880, 150}, {880, 100}, {910, 70}, {940, 100}, {940, 150}}, Slate);
    painter.FillPolygon({{902, 150}, {902, 118}, {910, 110}, {918, 118}, {918, 150}}, Colour::Hex(0x5FE0C8));
    // The road: dots along straight pieces from marker to marker.
    for (size_t i = 0; i + 1 < MapMarkerSpots.size(); ++i)
    {
        const Point a = MapPoint(MapMarkerSpots[i]), b = MapPoint(MapMarkerSpots[i + 1]);
        const float length = std::hypot(b.x - a.x, b.y - a.y);
        for (float t = 0; t < length; t += 14)
            painter.FillCircle({a.x + (b.x - a.x) * t / length, a.y + (b.y - a.y) * t / length}, 3.2f, Ink.Mixed(Oak, 0.3f));
    }
    // Compass rose in the top-right corner.
    const Point c{940, 420};
    painter.FillCircle(c, 36, ParchmentDark);
    painter.FillCircle(c, 33, Parchment);
    painter.FillPolygon({{c.x, c.y - 46}, {c.x + 9, c.y}, {c.x, c.y + 46}, {c.x - 9, c.y}}, Ink);
    painter.FillPolygon({{c.x - 46, c.y}, {c.x, c.y - 9}, {c.x + 46, c.y}, {c.x, c.y + 9}}, Oak);
    painter.FillPolygon({{c.x, c.y - 46}, {c.x + 9, c.y}, {c.x - 9, c.y}}, Crimson);
    Border(map, 10, Oak, 0, 113);
    return map;
}

enum class Marker
{
    Start,
    Finish,
    CheckPoint,
    Path,
};

void DrawMarker(Painter& painter, Marker marker, const Colour& colour)
{
    const Colour dark = colour.Scaled(0.55f);
    switch (marker)
    {
    case Marker::Start: // a pennant on a pole
        painter.FillPolygon({{18, 6}, {24, 6}, {24, 60}, {18, 60}}, dark);
        painter.FillPolygon({{24, 8}, {56, 18}, {24, 30}}, colour);
        painter.FillCircle({21, 60}, 6, dark);
        break;
    case Marker::Finish: // a castle gate
        painter.FillPolygon({{4, 60}, {4, 14}, {60, 14}, {60, 60}}, colour);
        for (float x : {4.0f, 20.0f, 36.0f, 52.0f})
            painter.FillPolygon({{x, 14}, {x, 4}, {x + 8, 4}, {x + 8, 14}}, colour);
        painter.FillPolygon({{20, 60}, {20, 36}, {32, 26}, {44, 36}, {44, 60}}, dark);
        break;
    case Marker::CheckPoint: // a watch tower
        painter.FillPolygon({{16, 60}, {20, 18}, {44, 18}, {48, 60}}, colour);
        painter.FillPolygon({{10, 20}, {32, 2}, {54, 20}}, dark);
        painter.FillPolygon({{28, 30}, {36, 30}, {36, 42}, {28, 42}}, dark);
        break;
    case Marker::Path: // a round stepping stone
        painter.FillCircle({32, 32}, 28, colour);
        painter.FillCircle({28, 27}, 14, colour.Mixed(Colour::Hex(0xFFFFFF), 0.2f));
        break;
    }
}

RgbaPicture MarkerNet(Marker marker)
{
    const Colour tints[6] = {Stone, Colour::Hex(0xB07A3A), GoldLight, Gold, Colour::Hex(0x404040, 0.5f),
                             Colour::Hex(0x000000, 0.5f)};
    std::vector<RgbaPicture> frames;
    for (int frame = 0; frame < 8; ++frame)
    {
        RgbaPicture cell(64, 64);
        Painter painter(cell);
        painter.Fill(Clear);
        if (frame < 6)
        {
            if (frame == 3) // selected: a glow behind the icon
                for (float r = 31; r > 18; r -= 1)
                    painter.FillCircle({32, 32}, r, Colour::Hex(0xFFE080, 0.06f));
            DrawMarker(painter, marker, tints[frame]);
        }
        frames.push_back(cell);
    }
    return NetOf(frames, 4, 2);
}

RgbaPicture SparkPicture(unsigned size, const Colour& colour)
{
    RgbaPicture glow(size, size);
    Painter painter(glow);
    painter.Fill(Clear);
    const float c = float(size) / 2;
    for (unsigned y = 0; y < size; ++y)
        for (unsigned x = 0; x < size; ++x)
        {
            const float d = std::hypot(float(x) + 0.5f - c, float(y) + 0.5f - c) / c;
            painter.Blend(int(x), int(y), colour, std::clamp(1.0f - d, 0.0f, 1.0f) * std::clamp(1.0f - d, 0.0f, 1.0f) * 1.6f);
        }
    return glow;
}
}

std::vector<MenuPicture> UiPictures(const std::string& fontFolder)
{
    const std::string t = "ui/textures/";
    std::vector<MenuPicture> pictures = {
        {t + "loading_emblem.tga", PictureFile::Tga, LoadingEmblem(), ""},
        {t + "panel.jpg", PictureFile::JpegWithOpacity, Panel(false), ""},
        {t + "panel_dark.jpg", PictureFile::JpegWithOpacity, Panel(true), t + "panel_alpha.jpg"},
        {t + "button.jpg", PictureFile::JpegWithOpacity, PlaqueNet(256, 128, 21), ""},
        {t + "button_small.jpg", PictureFile::JpegWithOpacity, PlaqueNet(128, 64, 22), ""},
        {t + "row.jpg", PictureFile::JpegWithOpacity,
         NetOf({Row(State::Normal, false), Row(State::Hover, false), Row(State::Pressed, false), Row(State::Disabled, true)}, 2, 2), ""},
        {t + "edit_field.jpg", PictureFile::Jpeg, EditField(), ""},
        {t + "check_box.tga", PictureFile::Tga, CheckNet(95, false), ""},
        {t + "scroll_track_h.jpg", PictureFile::Jpeg, Track(256, 32), ""},
        {t + "scroll_track_v.jpg", PictureFile::Jpeg, Track(32, 256), ""},
        {t + "scroll_thumb.tga", PictureFile::Tga, NetOf({Gem(State::Normal), Gem(State::Hover), Gem(State::Pressed), Gem(State::Disabled)}, 2, 2), ""},
        {t + "arrow_left.tga", PictureFile::Tga, ArrowNet(0), ""},
        {t + "arrow_right.tga", PictureFile::Tga, ArrowNet(1), ""},
        {t + "arrow_up.tga", PictureFile::Tga, ArrowNet(2), ""},
        {t + "arrow_down.tga", PictureFile::Tga, ArrowNet(3), ""},
        {t + "hud_plate.tga", PictureFile::Tga, HudPlate(), ""},
        {t + "hud_life.tga", PictureFile::Tga, HudLife(), ""},
        {t + "hud_menu.tga", PictureFile::Tga, HudButtonNet(0), ""},
        {t + "hud_minimize.tga", PictureFile::Tga, HudButtonNet(1), ""},
        {t + "hud_close.tga", PictureFile::Tga, HudButtonNet(2), ""},
        {t + "hud_fullscreen.tga", PictureFile::Tga, CheckNet(96, true), ""},
        {t + "logo_title.tga", PictureFile::Tga, LogoTitle(fontFolder), ""},
        {t + "logo_slot.tga", PictureFile::Tga, FilledPicture(32, 32, Clear), ""},
        {t + "map_panel.jpg", PictureFile::Jpeg, MapPanel(), ""},
        {t + "map_start.tga", PictureFile::Tga, MarkerNet(Marker::Start), ""},
        {t + "map_finish.tga", PictureFile::Tga, MarkerNet(Marker::Finish), ""},
        {t + "map_check_point.tga", PictureFile::Tga, MarkerNet(Marker::CheckPoint), ""},
        {t + "map_path.tga", PictureFile::Tga, MarkerNet(Marker::Path), ""},
        {t + "title_mount.jpg", PictureFile::JpegWithOpacity, TitleMount(), ""},
        {"ui/particles/spark.tga", PictureFile::Tga, SparkPicture(32, GoldLight), ""},
    };
    return pictures;
}

void GenerateUiArt(GeneratorContext& context)
{
    for (const MenuPicture& picture : UiPictures(context.fontFolder))
        AddMenuPicture(context.stage, picture);
    AddUiModels(context.stage);
}
}
