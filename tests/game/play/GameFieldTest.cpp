// The field file's zones: walls as transformed boxes, the field's bounds around them, the limits the balls get
// from them, and zone counts that do not match the file.
#include "game/play/GameField.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileBinary.h"
#include "game/play/FieldLimits.h"
#include "tests/support/EngineTestBed.h"
#include "tools/formats/FieldFileWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace VelkorEngine;
using Korvane::FieldLimits;
using Korvane::GameField;

namespace
{
const std::string kFieldPath = "data\\environment\\field.krf";

struct Zone
{
    Vector3 first;
    Vector3 second;
    Vector3 offset;
};

// The zones of a field file, as the data tools write them after the header.
std::vector<u8> ZoneBytes(const std::vector<Zone>& zones)
{
    std::vector<u8> bytes;
    auto put = [&](auto value) {
        const auto* p = reinterpret_cast<const u8*>(&value);
        bytes.insert(bytes.end(), p, p + sizeof(value));
    };
    put(static_cast<u32>(zones.size()));
    for (const Zone& zone : zones)
    {
        for (const Vector3& v : {zone.first, zone.second})
            for (f32 c : {v.x, v.y, v.z})
                put(c);
        Matrix4 m;
        MakeTranslationMatrix(m, zone.offset);
        for (f32 c : m.m)
            put(c);
    }
    return bytes;
}

class GameFieldTest : public ::testing::Test
{
protected:
    GameFieldTest() : log("Field test", 0, 0, "", "") {}

    GameField Read(std::vector<u8> bytes)
    {
        FileBinary file(&log, kFieldPath, std::move(bytes));
        return GameField(GameField::ReadZones(file, kFieldPath));
    }

    void ExpectBox(const BoundingVolume& box, const Vector3& low, const Vector3& high)
    {
        EXPECT_FLOAT_EQ(box.GetWorldMinimum().x, low.x);
        EXPECT_FLOAT_EQ(box.GetWorldMinimum().y, low.y);
        EXPECT_FLOAT_EQ(box.GetWorldMinimum().z, low.z);
        EXPECT_FLOAT_EQ(box.GetWorldMaximum().x, high.x);
        EXPECT_FLOAT_EQ(box.GetWorldMaximum().y, high.y);
        EXPECT_FLOAT_EQ(box.GetWorldMaximum().z, high.z);
    }

    MessageManager log;
};

TEST_F(GameFieldTest, FieldWithoutWallsIsABigCube)
{
    const GameField field = Read(ZoneBytes({}));
    EXPECT_TRUE(field.GetZones().empty());
    ExpectBox(field.GetBounds(), Vector3(-200), Vector3(200));
}

TEST_F(GameFieldTest, BoundsReachBelowTheWallsAndAlongZ)
{
    const GameField field = Read(ZoneBytes({{Vector3(-100, 0, -5), Vector3(-90, 200, 5), Vector3()},
                                            {Vector3(-5, 0, -5), Vector3(5, 200, 5), Vector3(95, 0, 0)}}));
    ASSERT_EQ(field.GetZones().size(), 2u);
    ExpectBox(field.GetZones()[1], Vector3(90, 0, -5), Vector3(100, 200, 5));
    ExpectBox(field.GetBounds(), Vector3(-100, -40, -1000), Vector3(100, 200, 1000));
}

TEST_F(GameFieldTest, WallsOfTheDataSetGiveTheBallsTheirLimits)
{
    const GameField field = Read(ZoneBytes({{Vector3(-87, -100, 0), Vector3(-77, 120, 20), Vector3()},
                                            {Vector3(77, -100, 0), Vector3(87, 120, 20), Vector3()},
                                            {Vector3(-87, 110, 0), Vector3(87, 120, 20), Vector3()}}));
    const FieldLimits limits = FieldLimits::FromWalls(field.GetZones());
    EXPECT_EQ(limits.left, -77.0f);
    EXPECT_EQ(limits.right, 77.0f);
    EXPECT_EQ(limits.top, 110.0f);
    EXPECT_FLOAT_EQ(field.GetBounds().GetWorldMinimum().y, -140.0f);
}

TEST_F(GameFieldTest, ZoneCountsThatDoNotMatchTheFileAreRefused)
{
    const std::vector<u8> one = ZoneBytes({{Vector3(0, 0, 0), Vector3(1, 1, 1), Vector3()}});
    auto withCount = [&](u32 count) {
        std::vector<u8> bytes = one;
        std::memcpy(bytes.data(), &count, 4);
        return bytes;
    };
    struct Case
    {
        const char* what;
        std::vector<u8> bytes;
    };
    const Case cases[] = {
        {"count beyond the bytes", withCount(0x10000000)},
        {"count short of the bytes", withCount(0)},
        {"zone cut short", std::vector<u8>(one.begin(), one.end() - 4)},
        {"no count", std::vector<u8>{1, 0}},
    };
    for (const Case& c : cases)
    {
        try
        {
            Read(c.bytes);
            ADD_FAILURE() << c.what << ": no error";
        }
        catch (const FileError& error)
        {
            EXPECT_EQ(error.GetMessage(), "Incorrect \"" + kFieldPath + "\" file format") << c.what;
        }
    }
}

TEST(GameFieldFileTest, FieldFileIsReadWithItsHeaderChecked)
{
    TestSupport::EngineTestBed bed;
    bed.Start();
    std::filesystem::create_directories(bed.folder / "data/environment");
    KorvaneTools::FieldZone zone;
    zone.minimum = {-100, 0, -5};
    zone.maximum = {-90, 200, 5};
    std::string bytes = KorvaneTools::WriteFieldFile({zone});
    bed.folder.WriteFile("data/environment/field.krf", bytes);
    const GameField field(&bed.GetEngine(), "field.krf");
    ASSERT_EQ(field.GetZones().size(), 1u);
    EXPECT_FLOAT_EQ(field.GetBounds().GetWorldMinimum().y, -40.0f);

    bytes[4] = 'X';
    bed.folder.WriteFile("data/environment/field.krf", bytes);
    EXPECT_THROW(GameField(&bed.GetEngine(), "field.krf"), FileError);
    EXPECT_THROW(GameField(&bed.GetEngine(), "none.krf"), FileError);
}
}
