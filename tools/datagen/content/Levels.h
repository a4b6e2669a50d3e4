// The ten levels: tables of block letters turned into level geometry files, the field's wall zones and the
// level map's markers, with the checks the play code relies on (blocks inside the field, supports that
// hold, enough breakable blocks, movers that hit nothing).
#pragma once

#include "tools/formats/FieldFileWriter.h"
#include "tools/formats/LevelGeometryWriter.h"
#include "tools/formats/MapFileWriter.h"
#include "tools/formats/RgbaPicture.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext;

struct LevelEntry
{
    std::string name; // "SS_LL", the geometry file's name without extension
    std::string environment;
    unsigned stage = 0;
    unsigned level = 0;
};

// The levels listed by levels.xml (top element `levels`, or a container holding it), in order.
std::vector<LevelEntry> ReadLevelList(const std::string& bytes, const std::string& origin);

// The level built from its table; throws DataError for an unknown name or a table that breaks a rule.
LevelGeometry BuildLevel(const std::string& name);
// Every name that has a table.
std::vector<std::string> LevelTableNames();

// Throws DataError naming the level and the rule a level breaks (see Levels.cpp).
void CheckLevel(const LevelGeometry& level, const std::string& name);
// Blocks whose breaking counts towards the end of the level.
unsigned CountBreakable(const LevelGeometry& level);

// The three wall zones: left, right and top.
std::vector<FieldZone> FieldZones();
// One marker per level: the start, a check point at the first level of every later stage, the finish last,
// paths between.
std::vector<MapElement> MapElements(const std::vector<LevelEntry>& levels);

// Seen from above: the field, the walls and every block in its kind's colour, upper storeys lighter.
RgbaPicture LevelTopView(const LevelGeometry& level);

// Writes levels_geometry/*.krg, environment/field.krf and ui/map/map.gmf.
void GenerateLevels(GeneratorContext& context);
}
