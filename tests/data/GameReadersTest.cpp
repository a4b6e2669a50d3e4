// The level files and the field read by the game's own readers: every level geometry file and the field
// file are accepted, read as the generator wrote them, and the field gives the walls and limits the ball
// and the bat rely on.
#include "game/play/FieldLimits.h"
#include "game/play/GameField.h"
#include "game/play/LevelGeometryFile.h"
#include "tests/data/DataStageFiles.h"
#include "tools/datagen/content/Levels.h"

#include "engine/files/FileBinary.h"

#include <gtest/gtest.h>

namespace
{
constexpr VelkorEngine::u32 HeaderSize = 13; // length, five magic letters, version

// Reads a file's body through a game reader, the header skipped as the framework's data file does.
template <typename Reader>
auto ReadBody(const std::string& path, Reader reader)
{
    const std::string bytes = DataTest::StageFile(path);
    VelkorEngine::FileBinary file(nullptr, path, 0, 0, 1, static_cast<std::uint32_t>(bytes.size()), bytes.data());
    EXPECT_TRUE(file.Seek(0, HeaderSize));
    return reader(file, path);
}
}

TEST(levels, GameReadsEveryLevelAsWritten)
{
    for (const std::string& name : KorvaneTools::LevelTableNames())
    {
        SCOPED_TRACE(name);
        const KorvaneTools::LevelGeometry written = KorvaneTools::BuildLevel(name);
        const Korvane::LevelGeometry read = ReadBody("levels_geometry/" + name + ".krg", [](auto& file, auto& path) {
            return Korvane::LevelGeometryFile::ReadBody(file, path);
        });
        EXPECT_EQ(read.keyFrameCount, written.keyFrameCount);
        EXPECT_EQ(read.keyFrameSpeed, written.keyFrameSpeed);
        ASSERT_EQ(read.textures.size(), written.textures.size());
        EXPECT_TRUE(read.textures[0].empty());
        ASSERT_EQ(read.objects.size(), written.objects.size());
        for (std::size_t i = 0; i < read.objects.size(); ++i)
        {
            const auto& r = read.objects[i];
            const auto& w = written.objects[i];
            EXPECT_EQ(r.blockName, w.block);
            EXPECT_EQ(r.flags, w.flags);
            EXPECT_EQ(r.supports, w.supports);
            EXPECT_EQ(r.dependents, w.dependents);
            ASSERT_EQ(r.keyFrames.size(), w.keyFrames.size());
            EXPECT_EQ(r.keyFrames.front().position.z, w.keyFrames.front().position[2]);
        }
    }
}

TEST(levels, GameFieldHasTheWallsAndLimitsTheBallNeeds)
{
    const auto zones = ReadBody("environment/field.krf", [](auto& file, auto& path) {
        return Korvane::GameField::ReadZones(file, path);
    });
    ASSERT_EQ(zones.size(), 3u);
    const Korvane::FieldLimits limits = Korvane::FieldLimits::FromWalls(zones);
    EXPECT_EQ(limits.left, -77.0f);
    EXPECT_EQ(limits.right, 77.0f);
    EXPECT_EQ(limits.top, 110.0f);
    const Korvane::GameField field(zones);
    EXPECT_EQ(field.GetBounds().GetWorldMinimum().x, -87.0f);
    EXPECT_LE(field.GetBounds().GetWorldMinimum().y, -140.0f); // a lost ball is counted before it escapes
    EXPECT_EQ(field.GetBounds().GetWorldMaximum().y, 120.0f);
}
