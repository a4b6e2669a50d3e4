// The levels as tables of letters, one row of 11 cells per line, and how they become level geometry files.
//
// Grid: column c at x = 13 (c - 5), row r at y = 97 - 7 r, so rows 0 to 14 reach from the far wall to about the
// middle of the field, leaving the near half to the ball's flight. Floor rows stand on the ground; each upper storey
// rests on whatever lies under its cells. Letters: b brick, g granite, i iron, I iron fixed, h ghost,
// x powder keg, c cage, v vault, r rune, p pillar, P pillar fixed, S slab (a run of three S is one slab
// over its two end cells). Movers are irons sliding along x over a looping three-key-frame path.
#include "tools/datagen/content/Levels.h"

#include "tools/datagen/DataError.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/content/MapLayout.h"
#include "tools/datagen/image/Painter.h"
#include "tools/datagen/play/BlockKinds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace KorvaneTools
{
namespace
{
using VelkorEngine::u16;
using VelkorEngine::u32;

struct TableRow
{
    int row;
    const char* cells;
};

struct Mover
{
    int row;
    float fromX;
    float toX;
};

struct LevelTable
{
    const char* name;
    std::vector<std::vector<TableRow>> storeys; // floor first
    std::vector<Mover> movers;
};

const std::vector<LevelTable>& LevelTables()
{
    static const std::vector<LevelTable> tables = {
        {"00_00", // Outer bailey
         {{{0, ".bbbbbbbbb."}, {1, ".bbbbbbbbb."}, {4, "..bgbbbgb.."}, {5, "..bbbbbbb.."}, {8, "...bbbbb..."},
           {9, "...bbbbb..."}, {13, "....bbb...."}, {14, "....bbb...."}}},
         {}},
        {"00_01", // Iron gate
         {{{0, "i.........i"}, {1, "ibbbbbbbbbi"}, {2, "ibxbbgbbxbi"}, {3, "ibbbbbbbbbi"}, {4, "iii.....iii"},
           {8, "...bgggb..."}, {11, "..bb...bb.."}, {14, ".bbb...bbb."}}},
         {}},
        {"00_02", // Haunted hall
         {{{0, "hhhhhhhhhhh"}, {1, "hbbbbbbbbbh"}, {3, "hb.......bh"}, {5, "hb...c...bh"}, {7, "hb.......bh"},
           {9, "hbbbbbbbbbh"}, {11, "hhhh...hhhh"}, {14, "..bbb.bbb.."}}},
         {}},
        {"00_03", // Colonnade
         {{{1, "p.p.p.p.p.p"}, {5, "bbbbbbbbbbb"}, {6, "rrrr...rrrr"}, {9, ".ggg...ggg."}, {14, "bbb.bbb.bbb"}},
          {{1, "SSS.SSS.SSS"}, {5, ".b.b.b.b.b."}},
          {{1, ".b...b...b."}}},
         {}},
        {"00_04", // Castle gate
         {{{0, "iiii...iiii"}, {1, "ibbbbvbbbbi"}, {2, "ibxbbbbbxbi"}, {3, "ibggg.gggbi"}, {5, "i.x.....x.i"},
           {7, "iii.bbb.iii"}, {10, "...rrrrr..."}, {14, ".bb.bbb.bb."}},
          {{0, "I.I.....I.I"}}},
         {}},
        {"01_00", // Rune hall
         {{{0, "r.r.r.r.r.r"}, {1, "rbrbrbrbrbr"}, {3, ".hhh...hhh."}, {5, "bbbbbbbbbbb"}, {7, ".g.g.g.g.g."},
           {10, "..hhhhhhh.."}, {14, "bbb.....bbb"}},
          {{5, ".r.r.r.r.r."}}},
         {}},
        {"01_01", // Sentinels
         {{{0, "bbbbbbbbbbb"}, {1, "bgbbbgbbbgb"}, {2, "bbbbbbbbbbb"}, {9, "..c.....c.."}, {11, "..bbbbbbb.."},
           {14, "bbb.....bbb"}}},
         {{4, -59, 59}, {7, 59, -59}}},
        {"01_02", // Powder store
         {{{0, "bbbbbbbbbbb"}, {1, "xbxbxbxbxbx"}, {3, ".c.......c."}, {5, "iiibbxbbiii"}, {7, "..xbbbbbx.."},
           {9, ".ggg...ggg."}, {12, "...hhhhh..."}, {14, "bbb.b.b.bbb"}}},
         {}},
        {"01_03", // Towers
         {{{1, ".P.P...P.P."}, {4, ".bb.bbb.bb."}, {5, ".bb.bbb.bb."}, {9, "bbbbbbbbbbb"}, {14, "..bbb.bbb.."}},
          {{1, ".SSS...SSS."}, {4, ".gg.ggg.gg."}, {5, ".bb.bbb.bb."}},
          {{1, ".bbb...bbb."}, {4, ".bb.bbb.bb."}},
          {{1, "..b.....b.."}}},
         {}},
        {"01_04", // Crypt lord
         {{{0, "i...ivi...i"}, {1, "ibbbbbbbbbi"}, {2, "ibrrbbbrrbi"}, {3, "ibhhbcbhhbi"}, {4, "ibbbbbbbbbi"},
           {5, "i.ggggggg.i"}, {6, "..x.....x.."}, {12, ".p.p...p.p."}, {14, ".bbbb.bbbb."}},
          {{1, "..b.b.b.b.."}, {12, ".SSS...SSS."}},
          {{12, "..b.....b.."}}},
         {{9, -59, 59}}},
    };
    return tables;
}

constexpr float MoverSpeed = 0.25f; // key frames per second: one sweep there and back in 8 s
constexpr float FieldLeft = -74, FieldRight = 74, FieldNear = -10, FieldFar = 100;
constexpr float Touch = 1e-3f;

struct Letter
{
    char letter;
    const char* kind;
    bool fixed;
};

const Letter Letters[] = {{'b', "brick", false}, {'g', "granite", false}, {'i', "iron", false},
                          {'I', "iron", true},   {'h', "ghost", false},   {'x', "powder", false},
                          {'c', "cage", false},  {'v', "vault", false},   {'r', "rune", false},
                          {'p', "pillar", false}, {'P', "pillar", true},  {'S', "slab", false}};

const Letter& FindLetter(char letter, const std::string& level)
{
    for (const Letter& l : Letters)
        if (l.letter == letter)
            return l;
    throw DataError("level " + level + ": unknown letter '" + std::string(1, letter) + "'");
}

struct BlockBox
{
    float minX, minY, minZ, maxX, maxY, maxZ;

    bool OverlapsInPlan(const BlockBox& o) const
    {
        return minX < o.maxX - Touch && o.minX < maxX - Touch && minY < o.maxY - Touch && o.minY < maxY - Touch;
    }
    bool Overlaps(const BlockBox& o) const
    {
        return OverlapsInPlan(o) && minZ < o.maxZ - Touch && o.minZ < maxZ - Touch;
    }
    BlockBox Union(const BlockBox& o) const
    {
        return {std::min(minX, o.minX), std::min(minY, o.minY), std::min(minZ, o.minZ),
                std::max(maxX, o.maxX), std::max(maxY, o.maxY), std::max(maxZ, o.maxZ)};
    }
};

BlockBox BoxAt(const BlockKind& kind, const LevelKeyFrame& frame)
{
    const auto& p = frame.position;
    return {p[0] - kind.width / 2, p[1] - kind.depth / 2, p[2], p[0] + kind.width / 2, p[1] + kind.depth / 2,
            p[2] + kind.height};
}

// The box an object sweeps over its whole cycle (its only box when it does not move).
BlockBox SweptBox(const LevelObject& object)
{
    const BlockKind& kind = FindBlockKind(object.block);
    BlockBox box = BoxAt(kind, object.keyFrames.front());
    for (const LevelKeyFrame& frame : object.keyFrames)
        box = box.Union(BoxAt(kind, frame));
    return box;
}

// Cells are a block's width and a little more apart across, and its depth and a little more along the field.
constexpr int ColumnCount = 11;
float ColumnX(int column) { return 13.0f * static_cast<float>(column - ColumnCount / 2); }
float RowY(int row) { return 97.0f - 7.0f * static_cast<float>(row); }

class LevelBuilder
{
public:
    explicit LevelBuilder(const LevelTable& table) : m_table(table) { m_level.textures = {""}; }

    LevelGeometry Build()
    {
        for (std::size_t storey = 0; storey < m_table.storeys.size(); ++storey)
            for (const TableRow& row : m_table.storeys[storey])
                PlaceRow(row, storey);
        for (const Mover& mover : m_table.movers)
            PlaceMover(mover);
        if (!m_table.movers.empty())
        {
            m_level.keyFrameCount = 3;
            m_level.keyFrameSpeed = MoverSpeed;
        }
        return m_level;
    }

private:
    void PlaceRow(const TableRow& row, std::size_t storey)
    {
        const std::string cells = row.cells;
        if (cells.size() != static_cast<std::size_t>(ColumnCount))
            throw DataError("level " + std::string(m_table.name) + ": row " + std::to_string(row.row) +
                            " has not " + std::to_string(ColumnCount) + " cells");
        for (int c = 0; c < ColumnCount; ++c)
        {
            if (cells[c] == '.')
                continue;
            if (cells[c] != 'S')
            {
                Place(FindLetter(cells[c], m_table.name), ColumnX(c), RowY(row.row), storey);
                continue;
            }
            if (c + 2 >= ColumnCount || cells[c + 1] != 'S' || cells[c + 2] != 'S')
                throw DataError("level " + std::string(m_table.name) + ": a slab takes three S");
            Place(FindLetter('S', m_table.name), ColumnX(c + 1), RowY(row.row), storey);
            c += 2;
        }
    }

    void Place(const Letter& letter, float x, float y, std::size_t storey)
    {
        const BlockKind& kind = FindBlockKind(letter.kind);
        LevelObject object;
        object.block = kind.name;
        object.flags = letter.fixed ? 1u : 0u;
        object.firstTexture = TextureIndex(kind.skin);
        object.secondTexture = *kind.opacity != '\0' ? TextureIndex(kind.opacity) : 0u;
        LevelKeyFrame frame;
        frame.position = {x, y, 0.0f};
        if (storey > 0)
            RestOnLowerBlocks(object, frame, kind);
        object.keyFrames = {frame};
        m_level.objects.push_back(object);
    }

    // The block sits on the highest top among the blocks of lower storeys under it; every one of them with
    // that top carries it.
    void RestOnLowerBlocks(LevelObject& object, LevelKeyFrame& frame, const BlockKind& kind)
    {
        const BlockBox plan = BoxAt(kind, frame);
        float top = -1.0f;
        std::vector<std::size_t> under;
        for (std::size_t i = 0; i < m_level.objects.size(); ++i)
        {
            const BlockBox below = SweptBox(m_level.objects[i]);
            if (below.OverlapsInPlan(plan))
            {
                under.push_back(i);
                top = std::max(top, below.maxZ);
            }
        }
        if (under.empty())
            throw DataError("level " + std::string(m_table.name) + ": an upper " + kind.name + " at x " +
                            std::to_string(frame.position[0]) + " has nothing under it");
        frame.position[2] = top;
        const auto self = static_cast<u16>(m_level.objects.size());
        for (std::size_t i : under)
            if (std::fabs(SweptBox(m_level.objects[i]).maxZ - top) < Touch)
            {
                object.supports.push_back(static_cast<u16>(i));
                m_level.objects[i].dependents.push_back(self);
            }
    }

    void PlaceMover(const Mover& mover)
    {
        const BlockKind& kind = FindBlockKind("iron");
        LevelObject object;
        object.block = kind.name;
        object.firstTexture = TextureIndex(kind.skin);
        object.animated = true;
        for (float x : {mover.fromX, mover.toX, mover.fromX})
        {
            LevelKeyFrame frame;
            frame.position = {x, RowY(mover.row), 0.0f};
            object.keyFrames.push_back(frame);
        }
        m_level.objects.push_back(object);
    }

    u32 TextureIndex(const std::string& name)
    {
        const auto found = std::find(m_level.textures.begin(), m_level.textures.end(), name);
        if (found != m_level.textures.end())
            return static_cast<u32>(found - m_level.textures.begin());
        m_level.textures.push_back(name);
        return static_cast<u32>(m_level.textures.size() - 1);
    }

    const LevelTable& m_table;
    LevelGeometry m_level;
};

[[noreturn]] void Broken(const std::string& level, std::size_t object, const std::string& what)
{
    throw DataError("level " + level + ": object " + std::to_string(object) + " " + what);
}

void CheckKeyFrames(const LevelGeometry& level, const std::string& name)
{
    if (level.keyFrameCount == 0)
        throw DataError("level " + name + ": no key frames");
    for (std::size_t i = 0; i < level.objects.size(); ++i)
    {
        const LevelObject& o = level.objects[i];
        const std::size_t wanted = o.animated ? level.keyFrameCount : 1;
        if (o.keyFrames.size() != wanted)
            Broken(name, i, "has the wrong number of key frames");
        if (o.animated && !(o.keyFrames.back() == o.keyFrames.front()))
            Broken(name, i, "moves on a path that does not close (the last key frame must be the first)");
        if (o.scale != std::array<float, 3>{1, 1, 1})
            Broken(name, i, "is scaled (mirrored or stretched blocks break collisions)");
        for (const LevelKeyFrame& frame : o.keyFrames)
            if (frame.rotation != std::array<float, 4>{0, 0, 0, 1})
                Broken(name, i, "is turned");
    }
}

void CheckTexturesAndPlaces(const LevelGeometry& level, const std::string& name)
{
    if (level.textures.empty() || !level.textures.front().empty())
        throw DataError("level " + name + ": texture 0 must be the empty name");
    for (std::size_t i = 0; i < level.objects.size(); ++i)
    {
        const LevelObject& o = level.objects[i];
        const BlockKind& kind = FindBlockKind(o.block);
        if (o.firstTexture >= level.textures.size() || level.textures[o.firstTexture] != kind.skin)
            Broken(name, i, "does not wear its kind's skin");
        const std::string second = o.secondTexture < level.textures.size() ? level.textures[o.secondTexture] : "?";
        if (second != kind.opacity)
            Broken(name, i, "has the wrong second texture");
        const BlockBox box = SweptBox(o);
        if (box.minX < FieldLeft - Touch || box.maxX > FieldRight + Touch || box.minY < FieldNear - Touch ||
            box.maxY > FieldFar + Touch)
            Broken(name, i, "lies outside the block area");
        if (o.supports.empty() && std::fabs(box.minZ) > Touch)
            Broken(name, i, "floats: a floor block stands at z 0");
        if ((o.flags & 1u) != 0 && !o.supports.empty() && !kind.unbreakable)
            Broken(name, i, "is fixed although it rests on others and can break");
    }
}

void CheckSupports(const LevelGeometry& level, const std::string& name)
{
    const std::size_t count = level.objects.size();
    for (std::size_t i = 0; i < count; ++i)
    {
        const LevelObject& o = level.objects[i];
        const BlockBox box = SweptBox(o);
        for (u16 s : o.supports)
        {
            if (s >= count || s == i)
                Broken(name, i, "names a support that is not another block");
            const LevelObject& below = level.objects[s];
            const BlockBox under = SweptBox(below);
            if (below.animated || o.animated)
                Broken(name, i, "rests on or carries a moving block");
            if (std::fabs(under.maxZ - box.minZ) > Touch || !under.OverlapsInPlan(box))
                Broken(name, i, "is not exactly on top of its support " + std::to_string(s));
            if (std::count(below.dependents.begin(), below.dependents.end(), static_cast<u16>(i)) != 1)
                Broken(name, i, "is missing from its support's dependents");
            if (FindBlockKind(o.block).breakable && !FindBlockKind(below.block).breakable)
                Broken(name, i, "can break but rests on a block that cannot, so it could never fall");
        }
        for (u16 d : o.dependents)
            if (d >= count || std::count(level.objects[d].supports.begin(), level.objects[d].supports.end(),
                                         static_cast<u16>(i)) != 1)
                Broken(name, i, "lists a dependent that does not rest on it");
        if (!o.supports.empty() || std::fabs(box.minZ) < Touch)
            continue;
        Broken(name, i, "hangs in the air");
    }
    // Supports are always lower (checked above: a support's top is the block's bottom), so no cycle exists.
}

void CheckOverlaps(const LevelGeometry& level, const std::string& name)
{
    std::size_t floor = 0;
    for (std::size_t i = 0; i < level.objects.size(); ++i)
    {
        floor += level.objects[i].supports.empty() ? 1 : 0;
        const BlockBox a = SweptBox(level.objects[i]);
        for (std::size_t j = i + 1; j < level.objects.size(); ++j)
            if (a.Overlaps(SweptBox(level.objects[j])))
                Broken(name, i, level.objects[i].animated || level.objects[j].animated
                                    ? "moves through object " + std::to_string(j)
                                    : "overlaps object " + std::to_string(j));
    }
    if (floor > 150)
        throw DataError("level " + name + ": more than 150 floor blocks");
}
}

std::vector<LevelEntry> ReadLevelList(const std::string& bytes, const std::string& origin)
{
    const auto root = ParseDataXml(bytes, origin);
    const GameTools::XMLNode* levels = root->GetName() == "levels" ? root.get() : root->FindChild("levels");
    if (levels == nullptr)
        throw DataError(origin + ": no <levels> element");
    std::vector<LevelEntry> entries;
    std::vector<GameTools::XMLNode*> stages;
    levels->GetChildren(stages);
    for (unsigned s = 0; s < stages.size(); ++s)
    {
        const std::string environment = AttributeText(*stages[s], "environment");
        if (environment.empty())
            throw DataError(origin + ": stage " + std::to_string(s) + " names no environment");
        std::vector<GameTools::XMLNode*> levelNodes;
        stages[s]->GetChildren(levelNodes);
        for (unsigned l = 0; l < levelNodes.size(); ++l)
        {
            char name[16];
            std::snprintf(name, sizeof name, "%02u_%02u", s, l);
            entries.push_back({name, environment, s, l});
        }
    }
    return entries;
}

std::vector<std::string> LevelTableNames()
{
    std::vector<std::string> names;
    for (const LevelTable& table : LevelTables())
        names.push_back(table.name);
    return names;
}

LevelGeometry BuildLevel(const std::string& name)
{
    for (const LevelTable& table : LevelTables())
        if (name == table.name)
        {
            LevelGeometry level = LevelBuilder(table).Build();
            CheckLevel(level, name);
            return level;
        }
    throw DataError("no table for level " + name);
}

unsigned CountBreakable(const LevelGeometry& level)
{
    unsigned count = 0;
    for (const LevelObject& o : level.objects)
        count += FindBlockKind(o.block).breakable ? 1 : 0;
    return count;
}

void CheckLevel(const LevelGeometry& level, const std::string& name)
{
    CheckKeyFrames(level, name);
    CheckTexturesAndPlaces(level, name);
    CheckSupports(level, name);
    CheckOverlaps(level, name);
    if (CountBreakable(level) < 20)
        throw DataError("level " + name + ": fewer than 20 breakable blocks");
}

std::vector<FieldZone> FieldZones()
{
    FieldZone left{{-87, -100, 0}, {-77, 120, 20}, IdentityPlacement()};
    FieldZone right{{77, -100, 0}, {87, 120, 20}, IdentityPlacement()};
    FieldZone top{{-87, 110, 0}, {87, 120, 20}, IdentityPlacement()};
    return {left, right, top};
}

std::vector<MapElement> MapElements(const std::vector<LevelEntry>& levels)
{
    if (levels.size() > MapMarkerSpots.size())
        throw DataError("the level map has room for " + std::to_string(MapMarkerSpots.size()) + " levels, not " +
                        std::to_string(levels.size()));
    std::vector<MapElement> elements;
    for (std::size_t i = 0; i < levels.size(); ++i)
    {
        MapElement element;
        if (i == 0)
            element.type = MapElementType::Start;
        else if (i + 1 == levels.size())
            element.type = MapElementType::Finish;
        else if (levels[i].level == 0)
            element.type = MapElementType::CheckPoint;
        else
            element.type = MapElementType::Path;
        element.placement = TranslationPlacement(MapMarkerSpots[i].x, MapMarkerSpots[i].y, 0.0f);
        elements.push_back(element);
    }
    return elements;
}

RgbaPicture LevelTopView(const LevelGeometry& level)
{
    constexpr float Scale = 3.0f; // pixels per unit
    constexpr float Left = -90, Far = 123;
    RgbaPicture picture(static_cast<u32>(180 * Scale), static_cast<u32>(230 * Scale));
    Painter painter(picture);
    painter.Mottle(Colour::Hex(0x5E5A55), 12.0f, 0.3f, 7);
    const auto rect = [&](float x0, float y0, float x1, float y1, const Colour& colour) {
        painter.FillPolygon({{(x0 - Left) * Scale, (Far - y1) * Scale}, {(x1 - Left) * Scale, (Far - y1) * Scale},
                             {(x1 - Left) * Scale, (Far - y0) * Scale}, {(x0 - Left) * Scale, (Far - y0) * Scale}},
                            colour);
    };
    rect(-77, -100, 77, 110, Colour::Hex(0x9A958C));
    for (const FieldZone& zone : FieldZones())
        rect(zone.minimum[0], zone.minimum[1], zone.maximum[0], zone.maximum[1], Colour::Hex(0x3C3935));
    rect(-75, -86, 75, -84, Colour::Hex(0x7A5230, 0.6f)); // the bat's line
    static const std::map<std::string, unsigned> colours = {
        {"brick", 0xC8A26A}, {"granite", 0x8E949C}, {"iron", 0x3B3D44}, {"ghost", 0xA8C8F0}, {"powder", 0x8C1F1F},
        {"cage", 0x4A4D52},  {"vault", 0xD4A640},   {"pillar", 0xE8E0CC}, {"slab", 0xCFC6AE}, {"rune", 0x5FB0E0}};
    std::vector<std::size_t> order(level.objects.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return level.objects[a].keyFrames.front().position[2] < level.objects[b].keyFrames.front().position[2];
    });
    for (std::size_t i : order)
    {
        const LevelObject& o = level.objects[i];
        const BlockBox box = SweptBox(o);
        const BlockKind& kind = FindBlockKind(o.block);
        if (o.animated)
            rect(box.minX, box.minY + 2, box.maxX, box.maxY - 2, Colour::Hex(0x2A2B31, 0.5f));
        const BlockBox at = BoxAt(kind, o.keyFrames.front());
        const float lift = std::min(0.5f, at.minZ / 30.0f);
        const Colour colour = Colour::Hex(colours.at(o.block)).Mixed(Colour::Hex(0xFFFFFF), lift);
        rect(at.minX, at.minY, at.maxX, at.maxY, Colour::Hex(0x1A1A1A));
        rect(at.minX + 0.5f, at.minY + 0.5f, at.maxX - 0.5f, at.maxY - 0.5f, colour);
        if ((o.flags & 1u) != 0)
            rect(at.minX + 2, at.minY + 2, at.maxX - 2, at.maxY - 2, Colour::Hex(0x000000, 0.5f));
    }
    return picture;
}

void GenerateLevels(GeneratorContext& context)
{
    const std::string listPath = "levels/levels.xml";
    const std::vector<LevelEntry> levels = ReadLevelList(context.stage.Get(listPath), listPath);
    std::vector<std::string> unused = LevelTableNames();
    for (const LevelEntry& entry : levels)
    {
        const LevelGeometry level = BuildLevel(entry.name);
        const std::string bytes = WriteLevelGeometry(level);
        context.stage.Add("levels_geometry/" + entry.name + ".krg", bytes);
        unused.erase(std::remove(unused.begin(), unused.end(), entry.name), unused.end());
        std::printf("level %s: %zu objects, %u breakable, %u key frames, %zu bytes\n", entry.name.c_str(),
                    level.objects.size(), CountBreakable(level), level.keyFrameCount, bytes.size());
    }
    if (!unused.empty())
        throw DataError("level table " + unused.front() + " is not listed in " + listPath);
    context.stage.Add("environment/field.krf", WriteFieldFile(FieldZones()));
    context.stage.Add("ui/map/map.gmf", WriteMapFile(MapElements(levels)));
}
}
