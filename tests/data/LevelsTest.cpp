// The levels as the game reads them: the list, the ten geometry files, the field's walls, the lighting and
// the level map, read back from the generated tree and held to the rules the play code relies on.
#include "engine/core/Vector2.h"
#include "engine/core/Vector4.h"
#include "engine/render/Camera.h"
#include "tests/data/DataStageFiles.h"
#include "tests/data/GeneratorRunFiles.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/content/Levels.h"
#include "tools/datagen/play/BlockKinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>

using namespace KorvaneTools;
using VelkorEngine::u16;
using VelkorEngine::u32;
using VelkorEngine::Vector3;
using DataTest::StageFile;

namespace
{
std::vector<LevelEntry> ListedLevels()
{
    return ReadLevelList(StageFile("levels/levels.xml"), "levels/levels.xml");
}

LevelGeometry ReadLevel(const std::string& name)
{
    return ReadLevelGeometry(StageFile("levels_geometry/" + name + ".krg"));
}

// The error CheckLevel gives, or "" when the level passes.
std::string CheckError(const LevelGeometry& level)
{
    try
    {
        CheckLevel(level, "test");
    }
    catch (const DataError& error)
    {
        return error.what();
    }
    return "";
}

std::size_t FirstUpperBlock(const LevelGeometry& level)
{
    for (std::size_t i = 0; i < level.objects.size(); ++i)
        if (!level.objects[i].supports.empty())
            return i;
    return 0;
}
}

TEST(levels, TwoStagesOfFiveLevelsWithTheirEnvironments)
{
    const std::vector<LevelEntry> levels = ListedLevels();
    ASSERT_EQ(levels.size(), 10u);
    EXPECT_EQ(levels.front().name, "00_00");
    EXPECT_EQ(levels[5].name, "01_00");
    EXPECT_EQ(levels.back().name, "01_04");
    for (const LevelEntry& level : levels)
    {
        EXPECT_EQ(level.environment, level.stage == 0 ? "courtyard" : "crypt");
        EXPECT_FALSE(StageFile("environment/" + level.environment + ".xml").empty()) << level.environment;
        EXPECT_FALSE(StageFile("environment/" + level.environment + "_resources.xml").empty()) << level.environment;
    }
}

TEST(levels, EveryListedLevelReadsBackAsBuiltAndKeepsTheRules)
{
    for (const LevelEntry& entry : ListedLevels())
    {
        SCOPED_TRACE(entry.name);
        const LevelGeometry level = ReadLevel(entry.name);
        EXPECT_EQ(level, BuildLevel(entry.name));
        EXPECT_EQ(CheckError(level), "");
    }
}

TEST(levels, BreakableBlocksAndMoversAsPlanned)
{
    struct Plan
    {
        const char* name;
        unsigned breakable;
        unsigned keyFrames;
        unsigned movers;
    };
    const Plan plans[] = {{"00_00", 48, 1, 0}, {"00_01", 42, 1, 0}, {"00_02", 59, 1, 0}, {"00_03", 51, 1, 0},
                          {"00_04", 42, 1, 0}, {"01_00", 57, 1, 0}, {"01_01", 46, 3, 2}, {"01_02", 53, 1, 0},
                          {"01_03", 66, 1, 0}, {"01_04", 64, 3, 1}};
    for (const Plan& plan : plans)
    {
        SCOPED_TRACE(plan.name);
        const LevelGeometry level = ReadLevel(plan.name);
        EXPECT_EQ(CountBreakable(level), plan.breakable);
        EXPECT_EQ(level.keyFrameCount, plan.keyFrames);
        unsigned movers = 0;
        for (const LevelObject& object : level.objects)
            movers += object.animated ? 1 : 0;
        EXPECT_EQ(movers, plan.movers);
        EXPECT_EQ(level.keyFrameSpeed, plan.movers == 0 ? 0.0f : 0.25f);
    }
}

TEST(levels, StackedLevelsHaveSeveralStoreys)
{
    for (const char* name : {"00_03", "01_03", "01_04"})
    {
        const LevelGeometry level = ReadLevel(name);
        float highest = 0;
        for (const LevelObject& object : level.objects)
            highest = std::max(highest, object.keyFrames.front().position[2]);
        EXPECT_GE(highest, 15.0f) << name; // at least a block on a slab on pillars
    }
}

TEST(levels, LevelChecksRefuseWhatThePlayCodeCannotTake)
{
    const LevelGeometry good = BuildLevel("01_04");
    const std::size_t upper = FirstUpperBlock(good);
    ASSERT_GT(upper, 0u);
    struct Fault
    {
        const char* what;
        std::function<void(LevelGeometry&)> spoil;
        const char* message;
    };
    const Fault faults[] = {
        {"floating floor block", [](LevelGeometry& l) { l.objects[0].keyFrames[0].position[2] = 2; }, "floats"},
        {"upper block off its support",
         [&](LevelGeometry& l) { l.objects[upper].keyFrames[0].position[2] += 0.5f; }, "exactly on top"},
        {"support not mirrored", [&](LevelGeometry& l) { l.objects[l.objects[upper].supports[0]].dependents.clear(); },
         "dependents"},
        {"resting on itself", [&](LevelGeometry& l) { l.objects[upper].supports.push_back(static_cast<u16>(upper)); },
         "not another block"},
        {"overlapping blocks", [](LevelGeometry& l) { l.objects[1].keyFrames[0].position = l.objects[2].keyFrames[0].position; },
         "overlaps"},
        {"outside the field", [](LevelGeometry& l) { l.objects[0].keyFrames[0].position[0] = -72; }, "outside"},
        {"mover hits a block", [](LevelGeometry& l) { l.objects.back().keyFrames[1].position[1] = 57; }, "moves through"},
        {"open mover loop", [](LevelGeometry& l) { l.objects.back().keyFrames[2].position[0] = 0; }, "does not close"},
        {"mirrored block", [](LevelGeometry& l) { l.objects[3].scale = {-1, 1, 1}; }, "scaled"},
        {"wrong skin", [](LevelGeometry& l) { l.objects[3].firstTexture = 0; }, "skin"},
        {"texture 0 named", [](LevelGeometry& l) { l.textures[0] = "brick.jpg"; }, "texture 0"},
        {"too few breakable", [](LevelGeometry& l) { l.objects.resize(19); for (auto& o : l.objects) { o.dependents.clear(); } },
         "fewer than 20"},
    };
    EXPECT_EQ(CheckError(good), "");
    for (const Fault& fault : faults)
    {
        LevelGeometry level = good;
        fault.spoil(level);
        EXPECT_NE(CheckError(level).find(fault.message), std::string::npos)
            << fault.what << ": " << CheckError(level);
    }
}

TEST(levels, BreakableBlocksRestOnlyOnBreakableOnes)
{
    LevelGeometry level = BuildLevel("01_04");
    // Put an upper brick on an iron: it could never fall, so the level could never be cleared.
    const std::size_t upper = FirstUpperBlock(level);
    const u16 support = level.objects[upper].supports[0];
    level.objects[support].block = "iron";
    level.objects[support].firstTexture = static_cast<u32>(
        std::find(level.textures.begin(), level.textures.end(), "iron.jpg") - level.textures.begin());
    EXPECT_NE(CheckError(level).find("never fall"), std::string::npos) << CheckError(level);
}

TEST(levels, FieldHasTheLeftRightAndTopWalls)
{
    const std::string bytes = StageFile("environment/field.krf");
    ASSERT_EQ(bytes.size(), 281u);
    const std::vector<FieldZone> zones = ReadFieldFile(bytes);
    ASSERT_EQ(zones.size(), 3u);
    const auto width = [](const FieldZone& z) { return z.maximum[0] - z.minimum[0]; };
    const auto depth = [](const FieldZone& z) { return z.maximum[1] - z.minimum[1]; };
    const auto centreX = [](const FieldZone& z) { return (z.maximum[0] + z.minimum[0]) / 2; };
    EXPECT_GT(depth(zones[0]), width(zones[0]));
    EXPECT_LE(centreX(zones[0]), 0.0f);
    EXPECT_EQ(zones[0].maximum[0], -77.0f); // the ball's left limit, within the bat's reach of 75 + radius
    EXPECT_GT(depth(zones[1]), width(zones[1]));
    EXPECT_GT(centreX(zones[1]), 0.0f);
    EXPECT_EQ(zones[1].minimum[0], 77.0f);
    EXPECT_GT(width(zones[2]), depth(zones[2]));
    EXPECT_EQ(zones[2].minimum[1], 110.0f);
    float lowest = 1e9f;
    for (const FieldZone& zone : zones)
    {
        EXPECT_EQ(zone.placement, IdentityPlacement());
        EXPECT_EQ(zone.minimum[2], 0.0f);
        EXPECT_EQ(zone.maximum[2], 20.0f);
        lowest = std::min(lowest, zone.minimum[1]);
    }
    EXPECT_LE(lowest, -60.0f); // the field reaches below the lost-ball line
}

TEST(levels, MapHasOneMarkerPerLevel)
{
    const std::string bytes = StageFile("ui/map/map.gmf");
    ASSERT_EQ(bytes.size(), 697u);
    const std::vector<MapElement> map = ReadMapFile(bytes);
    const std::vector<LevelEntry> levels = ListedLevels();
    ASSERT_EQ(map.size(), levels.size());
    for (std::size_t i = 0; i < map.size(); ++i)
    {
        MapElementType expected = MapElementType::Path;
        if (i == 0)
            expected = MapElementType::Start;
        else if (i + 1 == map.size())
            expected = MapElementType::Finish;
        else if (levels[i].level == 0)
            expected = MapElementType::CheckPoint;
        EXPECT_EQ(map[i].type, expected) << i;
        for (std::size_t j = 0; j < i; ++j)
        {
            const float dx = map[i].placement[3] - map[j].placement[3];
            const float dy = map[i].placement[7] - map[j].placement[7];
            EXPECT_GE(std::hypot(dx, dy), 60.0f) << i << " and " << j << " are too close to click apart";
        }
        EXPECT_TRUE(map[i].placement[3] > 0 && map[i].placement[3] < 680 && map[i].placement[7] > 0 &&
                    map[i].placement[7] < 400);
    }
}

TEST(levels, LightingHasAnAmbientColourAndAtMostSevenLights)
{
    std::istringstream in(StageFile("environment/lighting/lighting.ini"));
    float ambient[3] = {-1, -1, -1};
    int count = -1;
    in >> ambient[0] >> ambient[1] >> ambient[2] >> count;
    ASSERT_TRUE(in);
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 7);
    for (float a : ambient)
        EXPECT_TRUE(a >= 0 && a <= 255);
    for (int light = 0; light < count; ++light)
    {
        float values[15];
        for (float& v : values)
            in >> v;
        ASSERT_TRUE(in) << "light " << light << " is cut short";
        for (int c = 3; c < 12; ++c)
            EXPECT_TRUE(values[c] >= 0 && values[c] <= 255) << "light " << light;
        EXPECT_GE(values[12], 1.0f) << "constant attenuation of light " << light;
    }
    std::string rest;
    EXPECT_FALSE(in >> rest) << "numbers after the last light: " << rest;
}

TEST(levels, GeneratorRefusesALevelListThatDoesNotMatchTheTables)
{
    const std::string list = DataTest::SourceFile("levels/levels.xml");
    const auto withList = [](const std::string& levels) {
        return DataTest::GenerateWithReplacedSources({"levels"}, {{"levels/levels.xml", levels}}, {"sources", "levels"});
    };
    EXPECT_EQ(withList(list), "");
    std::string eleven = list;
    eleven.insert(eleven.rfind("</stage>"), "<level ace_time=\"10\"/>\n");
    EXPECT_NE(withList(eleven).find("no table for level 01_05"), std::string::npos) << withList(eleven);
    std::string nine = list;
    nine.erase(nine.rfind("<level"), nine.rfind("</stage>") - nine.rfind("<level"));
    EXPECT_NE(withList(nine).find("01_04 is not listed"), std::string::npos) << withList(nine);
    EXPECT_NE(withList("<levels><stage><level/></stage></levels>").find("names no environment"), std::string::npos);
}

namespace
{
struct PlanBox
{
    float minX, minY, maxX, maxY;

    float DistanceTo(float x, float y) const
    {
        const float dx = std::max({minX - x, 0.0f, x - maxX});
        const float dy = std::max({minY - y, 0.0f, y - maxY});
        return std::hypot(dx, dy);
    }
};

PlanBox PlanOf(const LevelObject& object)
{
    const BlockKind& kind = FindBlockKind(object.block);
    const auto& p = object.keyFrames.front().position;
    return {p[0] - kind.width / 2, p[1] - kind.depth / 2, p[0] + kind.width / 2, p[1] + kind.depth / 2};
}
}

// A ball rolls in the plane of the field; irons that never break could wall blocks off from it. Every other
// floor block must be touchable by a ball that starts at the bat, going round the standing irons (moving
// irons leave the way free at times; bricks in the way are broken first).
TEST(levels, EveryFloorBlockCanBeReachedByABallGoingRoundTheIrons)
{
    constexpr float Radius = 2.5f, Step = 0.5f;
    constexpr float Left = -77 + Radius, Right = 77 - Radius, Near = -95, Far = 110 - Radius;
    const int columns = static_cast<int>((Right - Left) / Step) + 1;
    const int rows = static_cast<int>((Far - Near) / Step) + 1;
    for (const LevelEntry& entry : ListedLevels())
    {
        const LevelGeometry level = ReadLevel(entry.name);
        std::vector<PlanBox> irons;
        for (const LevelObject& object : level.objects)
            if (object.block == "iron" && !object.animated)
                irons.push_back(PlanOf(object));
        const auto free = [&](int c, int r) {
            const float x = Left + Step * static_cast<float>(c), y = Near + Step * static_cast<float>(r);
            for (const PlanBox& iron : irons)
                if (iron.DistanceTo(x, y) < Radius)
                    return false;
            return true;
        };
        std::vector<char> reached(static_cast<std::size_t>(columns * rows), 0);
        std::vector<std::pair<int, int>> queue = {{columns / 2, 0}};
        reached[static_cast<std::size_t>(columns / 2)] = 1;
        while (!queue.empty())
        {
            const auto [c, r] = queue.back();
            queue.pop_back();
            const int next[4][2] = {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
            for (const auto& n : next)
            {
                if (n[0] < 0 || n[0] >= columns || n[1] < 0 || n[1] >= rows)
                    continue;
                char& seen = reached[static_cast<std::size_t>(n[1] * columns + n[0])];
                if (seen == 0 && free(n[0], n[1]))
                {
                    seen = 1;
                    queue.push_back({n[0], n[1]});
                }
            }
        }
        for (std::size_t i = 0; i < level.objects.size(); ++i)
        {
            const LevelObject& object = level.objects[i];
            if (object.block == "iron" || !object.supports.empty())
                continue;
            const PlanBox box = PlanOf(object);
            bool touched = false;
            for (int r = 0; r < rows && !touched; ++r)
                for (int c = 0; c < columns && !touched; ++c)
                    touched = reached[static_cast<std::size_t>(r * columns + c)] != 0 &&
                              box.DistanceTo(Left + Step * static_cast<float>(c), Near + Step * static_cast<float>(r)) <=
                                  Radius + Step;
            EXPECT_TRUE(touched) << entry.name << ": object " << i << " (" << object.block << ") is walled in by irons";
        }
    }
}

namespace
{
constexpr float kScreenWidth = 1024, kScreenHeight = 768;
constexpr float kBatLine = -85;

// The play camera at its start pose, as the game sets it, seen in a 1024 x 768 window.
class PlayCameraView
{
public:
    PlayCameraView() : m_camera(VelkorEngine::Camera::KindPerspective)
    {
        m_camera.fieldOfView = 1.5707964f;
        m_camera.nearPlane = 70;
        m_camera.farPlane = 650;
        m_camera.orientation = VelkorEngine::Quaternion(0.4939f, 0, 0, 0.8695f);
        m_camera.position = Vector3(0, -140, 98);
        m_camera.Update();
        m_toClip = m_camera.GetViewMatrix() * m_camera.GetProjectionMatrix();
        m_toClip.Transpose();
    }

    // Pixels from the picture's top-left corner.
    VelkorEngine::Vector2 OnScreen(const Vector3& world) const
    {
        const VelkorEngine::Vector4 clip = m_toClip.Transform(VelkorEngine::Vector4(world));
        return {(clip.x / clip.w * 0.5f + 0.5f) * kScreenWidth, (0.5f - clip.y / clip.w * 0.5f) * kScreenHeight};
    }

private:
    VelkorEngine::Camera m_camera;
    VelkorEngine::Matrix4 m_toClip;
};

struct LevelOnScreen
{
    float top = kScreenHeight, bottom = 0; // of the blocks' band
    float nearestFace = kScreenWidth;      // the narrowest front face of the row nearest the player
    float openFloor = 0;                   // from the band's bottom down to the bat's line
};

LevelOnScreen MeasureOnScreen(const LevelGeometry& level, const PlayCameraView& view)
{
    LevelOnScreen measured;
    float nearestY = 1e9f;
    for (const LevelObject& object : level.objects)
        for (const LevelKeyFrame& frame : object.keyFrames)
        {
            const BlockKind& kind = FindBlockKind(object.block);
            const auto& p = frame.position;
            nearestY = std::min(nearestY, p[1] - kind.depth / 2);
            for (float dx : {-kind.width / 2, kind.width / 2})
                for (float dy : {-kind.depth / 2, kind.depth / 2})
                    for (float z : {p[2], p[2] + kind.height})
                    {
                        const float y = view.OnScreen(Vector3(p[0] + dx, p[1] + dy, z)).y;
                        measured.top = std::min(measured.top, y);
                        measured.bottom = std::max(measured.bottom, y);
                    }
        }
    for (const LevelObject& object : level.objects)
    {
        const BlockKind& kind = FindBlockKind(object.block);
        const auto& p = object.keyFrames.front().position;
        if (std::fabs(p[1] - kind.depth / 2 - nearestY) > 0.01f)
            continue;
        const float left = view.OnScreen(Vector3(p[0] - kind.width / 2, nearestY, p[2])).x;
        const float right = view.OnScreen(Vector3(p[0] + kind.width / 2, nearestY, p[2])).x;
        measured.nearestFace = std::min(measured.nearestFace, right - left);
    }
    measured.openFloor = view.OnScreen(Vector3(0, kBatLine, 0)).y - measured.bottom;
    return measured;
}
}

// Seen through the play camera at 1024 x 768, the blocks fill the far half of the field at a size a player can
// aim at, and leave the near half open for the ball's flight.
TEST(levels, EveryLevelFillsTheFarHalfOfTheViewWithBlocksLargeEnoughToAimAt)
{
    const PlayCameraView view;
    // The bat's line lies at the picture's bottom edge: the camera is placed so.
    EXPECT_NEAR(view.OnScreen(Vector3(0, kBatLine, 0)).y, kScreenHeight, 8.0f);
    for (const LevelEntry& entry : ListedLevels())
    {
        const LevelOnScreen seen = MeasureOnScreen(ReadLevel(entry.name), view);
        const float band = seen.bottom - seen.top;
        std::printf("level %s: blocks from %.0f to %.0f px, a band of %.0f px (%.1f %% of the height); nearest row's "
                    "front face %.0f px wide; %.0f px (%.1f %%) of open floor down to the bat's line\n",
                    entry.name.c_str(), seen.top, seen.bottom, band, 100 * band / kScreenHeight, seen.nearestFace,
                    seen.openFloor, 100 * seen.openFloor / kScreenHeight);
        EXPECT_GE(band, 0.20f * kScreenHeight) << entry.name;
        EXPECT_GE(seen.nearestFace, 40.0f) << entry.name;
        EXPECT_GE(seen.openFloor, 0.35f * kScreenHeight) << entry.name;
    }
}
