// Shader files: byte-exact round trips, what the reader stores, and every way a file can be refused.
#include "engine/core/Error.h"
#include "engine/files/FileManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/FilesTestSupport.h"
#include "tools/formats/ShaderFileWriter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace VelkorEngine;
using KorvaneTools::BuildShaderFile;
using KorvaneTools::ShaderFile;
using KorvaneTools::ShaderFileStage;

namespace
{
struct ShaderFolder
{
    TestSupport::TempFolder folder;
    std::unique_ptr<MessageManager> log = TestSupport::MakeQuietLog();
    std::unique_ptr<FileManager> files = std::make_unique<FileManager>(log.get(), folder.Path(), "data");

    // Only what the reader logs is looked at.
    ShaderFolder() { log->ClearRecords(); }

    // name is relative to the data folder, with backslashes as the engine writes them.
    void Write(const std::string& name, const std::string& bytes)
    {
        std::string path = name;
        for (char& c : path)
            if (c == '\\')
                c = '/';
        folder.WriteFile("data/" + path, bytes);
    }

    ShaderDescriptor Read(const std::string& name) { return ShaderDescriptor(log.get(), files.get(), name); }

    // The message of the Error the reader throws; fails the test when it throws none or a FileError.
    std::string Refusal(const std::string& name)
    {
        try
        {
            Read(name);
        }
        catch (const FileError& error)
        {
            ADD_FAILURE() << "the reader let a FileError out: " << error.GetMessage();
            return error.GetMessage();
        }
        catch (const Error& error)
        {
            return error.GetMessage();
        }
        ADD_FAILURE() << "no error for " << name;
        return "";
    }
};

ShaderFileStage Stage(u32 mode, const std::string& first, const std::string& second = "")
{
    ShaderFileStage stage;
    stage.mode = mode;
    stage.firstName = first;
    stage.secondName = second;
    return stage;
}

ShaderFile OneStaticStage()
{
    ShaderFile file;
    file.stages.push_back(Stage(0, "tex.tga"));
    return file;
}

std::string WithLength(std::string bytes, u32 length)
{
    const std::string field = TestSupport::U32Bytes(length);
    bytes.replace(0, 4, field);
    return bytes;
}
}

TEST(ShaderFile, OneStaticStageHasTheDocumentedSize)
{
    const std::string bytes = BuildShaderFile(OneStaticStage());
    ASSERT_EQ(bytes.size(), 144u);
    EXPECT_EQ(bytes.substr(0, 4), TestSupport::U32Bytes(144));
    EXPECT_EQ(bytes.substr(4, 5), "VESRF");
    EXPECT_EQ(bytes.substr(9, 4), TestSupport::U32Bytes(211));
    EXPECT_EQ(bytes.substr(97, 4), TestSupport::U32Bytes(1));
    EXPECT_EQ(bytes.substr(109, 9), std::string("\x08tex.tga\0", 9));
    EXPECT_EQ(bytes.substr(118, 2), std::string("\x01\0", 2));
}

TEST(ShaderFile, StageSizesFollowTheMode)
{
    ShaderFile grid;
    grid.stages.push_back(Stage(1, "a"));
    ShaderFile sequence;
    sequence.stages.push_back(Stage(2, "a"));
    ShaderFile still;
    still.stages.push_back(Stage(0, "a"));
    // 34, 42 and 50 bytes of fixed fields, plus the names ("a": 2 bytes; empty: 1 byte).
    EXPECT_EQ(BuildShaderFile(still).size(), 101u + 34 + 3);
    EXPECT_EQ(BuildShaderFile(sequence).size(), 101u + 42 + 3);
    EXPECT_EQ(BuildShaderFile(grid).size(), 101u + 50 + 3);
}

TEST(ShaderFile, RoundTripIsByteExact)
{
    ShaderFile file;
    file.flags = 5;
    file.colors[0][0] = 0.25f;
    file.colors[3][2] = 0.75f;
    file.values[0] = 1.5f;
    file.values[1] = -2.0f;
    file.sourceBlend = 4;
    file.destinationBlend = 5;
    ShaderFileStage grid = Stage(1, "textures\\sparks.tga", "textures\\sparks_alpha.tga");
    grid.flags = 3;
    grid.frameCount = 8;
    grid.speed = 12.5f;
    grid.columns = 4;
    grid.rows = 2;
    grid.addressModeU = 1;
    grid.addressModeV = 0;
    grid.scaleU = 0.5f;
    grid.scaleV = 2.0f;
    grid.offsetU = 0.125f;
    grid.offsetV = -0.25f;
    ShaderFileStage sequence = Stage(4, "fx\\smoke00.tga", "fx\\mask00.tga");
    sequence.frameCount = 16;
    sequence.speed = 20.0f;
    file.stages = {grid, sequence};

    ShaderFolder shaders;
    const std::string bytes = BuildShaderFile(file);
    shaders.Write("models\\fx\\sparks.srf", bytes);
    const ShaderDescriptor read = shaders.Read("models\\fx\\sparks.srf");
    EXPECT_EQ(BuildShaderFile(KorvaneTools::ShaderFileFromDescriptor(read)), bytes);
    EXPECT_EQ(shaders.log->GetRecordCount(), 0u);
}

TEST(ShaderFile, ReaderStoresEveryField)
{
    ShaderFile file;
    file.flags = 1;
    file.sourceBlend = 4;
    file.destinationBlend = 5;
    file.values[1] = 3.0f;
    ShaderFileStage still = Stage(0, "Textures\\Wall.TGA");
    still.flags = 1;
    still.addressModeU = 1;
    still.addressModeV = 0;
    still.scaleU = 3.0f;
    still.offsetV = 0.5f;
    ShaderFileStage sequence = Stage(2, "textures\\smoke0.tga");
    sequence.frameCount = 8;
    sequence.speed = 4.0f;
    file.stages = {still, sequence};

    ShaderFolder shaders;
    shaders.Write("wall.srf", BuildShaderFile(file));
    const ShaderDescriptor read = shaders.Read("wall.srf");
    EXPECT_EQ(read.GetFlags(), 1u);
    EXPECT_EQ(read.GetSourceBlend(), 4u);
    EXPECT_EQ(read.GetDestinationBlend(), 5u);
    EXPECT_EQ(read.GetValue(1), 3.0f);
    ASSERT_EQ(read.GetStageCount(), 2u);

    const ShaderStage& first = read.GetStage(0);
    EXPECT_EQ(first.mode, 0u);
    EXPECT_EQ(first.frameCount, 0u);
    EXPECT_EQ(first.columns, 1u);
    EXPECT_EQ(first.firstName, "textures\\wall.tga");
    EXPECT_EQ(first.addressModeU, 1u);
    EXPECT_EQ(first.addressModeV, 0u);
    EXPECT_EQ(first.scaleU, 3.0f);
    EXPECT_EQ(first.offsetV, 0.5f);

    const ShaderStage& second = read.GetStage(1);
    EXPECT_EQ(second.mode, 2u);
    EXPECT_EQ(second.frameCount, 8u);
    EXPECT_EQ(second.speed, 4.0f);
    EXPECT_EQ(second.columns, 1u);
    EXPECT_EQ(second.rows, 1u);
}

TEST(ShaderFile, TexturesWithoutAFolderAreFoundBesideTheShader)
{
    ShaderFile file;
    file.stages = {Stage(0, "fire.tga", "\\common\\fire_alpha.tga"), Stage(0, "textures\\fire.tga")};
    ShaderFolder shaders;
    shaders.Write("models\\fx\\fire.srf", BuildShaderFile(file));
    shaders.Write("fire.srf", BuildShaderFile(file));

    const ShaderDescriptor nested = shaders.Read("models\\fx\\fire.srf");
    EXPECT_EQ(nested.GetStage(0).firstName, "models\\fx\\fire.tga");
    EXPECT_EQ(nested.GetStage(0).secondName, "\\common\\fire_alpha.tga");
    EXPECT_EQ(nested.GetStage(1).firstName, "textures\\fire.tga");

    const ShaderDescriptor top = shaders.Read("fire.srf");
    EXPECT_EQ(top.GetStage(0).firstName, "fire.tga");
}

TEST(ShaderFile, EmptyNameMayBeStoredWithoutItsZero)
{
    std::string bytes = BuildShaderFile(OneStaticStage());
    // The second name as a bare zero length instead of a length of 1 and a zero byte.
    bytes.replace(118, 2, std::string("\0", 1));
    bytes = WithLength(bytes, static_cast<u32>(bytes.size()));
    ShaderFolder shaders;
    shaders.Write("short.srf", bytes);
    const ShaderDescriptor read = shaders.Read("short.srf");
    EXPECT_EQ(read.GetStage(0).firstName, "tex.tga");
    EXPECT_EQ(read.GetStage(0).secondName, "");
    EXPECT_EQ(read.GetStage(0).scaleU, 1.0f);
}

struct RefusalCase
{
    const char* what;
    std::string bytes;
    std::string message;
};

TEST(ShaderFile, RefusedFilesAreLoggedOnceAndThrownAsError)
{
    const std::string good = BuildShaderFile(OneStaticStage());
    const std::string format = "Incorrect \"bad.srf\" file format";
    const std::string version = "Incorrect \"bad.srf\" format version, current is 211";

    std::string badMagic = good;
    badMagic[6] = 'X';
    ShaderFile v210 = OneStaticStage();
    v210.version = 210;
    ShaderFile v212 = OneStaticStage();
    v212.version = 212;
    ShaderFile noFrames;
    noFrames.stages = {Stage(2, "a")};
    noFrames.stages[0].frameCount = 0;
    ShaderFile noColumns;
    noColumns.stages = {Stage(1, "a")};
    noColumns.stages[0].columns = 0;
    ShaderFile noRows;
    noRows.stages = {Stage(1, "a")};
    noRows.stages[0].rows = 0;
    ShaderFile nanSpeed;
    nanSpeed.stages = {Stage(2, "a")};
    nanSpeed.stages[0].speed = std::numeric_limits<float>::quiet_NaN();
    ShaderFile infiniteSpeed;
    infiniteSpeed.stages = {Stage(3, "a")};
    infiniteSpeed.stages[0].speed = std::numeric_limits<float>::infinity();
    ShaderFile endlessSequence;
    endlessSequence.stages = {Stage(2, "a")};
    endlessSequence.stages[0].frameCount = 0xFFFFFFFFu;

    const RefusalCase cases[] = {
        {"magic", badMagic, format},
        {"length one short", WithLength(good, static_cast<u32>(good.size() - 1)), format},
        {"length one long", WithLength(good, static_cast<u32>(good.size() + 1)), format},
        {"version 210", BuildShaderFile(v210), version},
        {"version 212", BuildShaderFile(v212), version},
        {"sequence without frames", BuildShaderFile(noFrames), format},
        {"grid without columns", BuildShaderFile(noColumns), format},
        {"grid without rows", BuildShaderFile(noRows), format},
        {"speed not a number", BuildShaderFile(nanSpeed), format},
        {"infinite speed", BuildShaderFile(infiniteSpeed), format},
        {"four billion frames", BuildShaderFile(endlessSequence), format},
    };
    for (const RefusalCase& c : cases)
    {
        ShaderFolder shaders;
        shaders.Write("bad.srf", c.bytes);
        EXPECT_EQ(shaders.Refusal("bad.srf"), c.message) << c.what;
        ASSERT_EQ(shaders.log->GetRecordCount(), 1u) << c.what;
        EXPECT_EQ(shaders.log->GetRecord(0).kind, static_cast<u32>(MessageManager::KindError)) << c.what;
        EXPECT_NE(shaders.log->GetRecord(0).text.find(c.message), std::string::npos) << c.what;
    }
}

// A third stage overflows the descriptor's stages as adding it would: a fatal error, not logged by the reader.
TEST(ShaderFile, AThirdStageOverflowsTheStages)
{
    ShaderFile threeStages;
    threeStages.stages = {Stage(0, "a"), Stage(0, "b"), Stage(0, "c")};
    std::string endless = BuildShaderFile(OneStaticStage());
    endless.replace(97, 4, TestSupport::U32Bytes(0xFFFFFFFFu));
    for (const std::string& bytes : {BuildShaderFile(threeStages), endless})
    {
        ShaderFolder shaders;
        shaders.Write("bad.srf", bytes);
        EXPECT_EQ(shaders.Refusal("bad.srf"), "Shader Stages: buffer is overflowed");
        EXPECT_EQ(shaders.log->GetRecordCount(), 0u);
    }
}

TEST(ShaderFile, MissingFileIsLoggedAndThrownAsError)
{
    ShaderFolder shaders;
    const std::string message = shaders.Refusal("models\\none.srf");
    EXPECT_NE(message.find("Failed to open"), std::string::npos) << message;
    EXPECT_NE(message.find("none.srf"), std::string::npos) << message;
    EXPECT_EQ(shaders.log->GetRecordCount(), 1u);
}

TEST(ShaderFile, EveryTruncationIsRefused)
{
    ShaderFile file;
    ShaderFileStage grid = Stage(1, "textures\\a.tga", "textures\\b.tga");
    grid.frameCount = 4;
    grid.columns = 2;
    grid.rows = 2;
    file.stages = {grid, Stage(2, "textures\\c0.tga")};
    const std::string whole = BuildShaderFile(file);
    for (std::size_t size = 0; size < whole.size(); ++size)
    {
        // The length field is made to agree, so the body reader meets the short end itself.
        std::string cut = whole.substr(0, size);
        if (size >= 4)
            cut = WithLength(cut, static_cast<u32>(size));
        ShaderFolder shaders;
        shaders.Write("cut.srf", cut);
        EXPECT_FALSE(shaders.Refusal("cut.srf").empty()) << size;
        EXPECT_EQ(shaders.log->GetRecordCount(), 1u) << size;
    }
}
