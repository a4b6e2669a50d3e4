// The built pack as the game opens it: the engine's file manager finds it beside the data folder, every
// generated file sits under its "data\..." name with its bytes, and the engine's sound readers take every
// sound of the table from it.
#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "tests/data/DataStageFiles.h"
#include "tools/datagen/content/Sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

namespace
{
class PackThroughEngine : public testing::Test
{
protected:
    PackThroughEngine()
        : log("data", 0, 0, "", ""),
          files(&log, std::filesystem::path(KORVANE_DATA_PACK).parent_path().parent_path().string(), "data")
    {
    }

    static std::string PackName(std::string path)
    {
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }

    VelkorEngine::MessageManager log;
    VelkorEngine::FileManager files;
};

// Every file the generator staged, from its manifest.
std::vector<std::string> StagedFiles()
{
    std::ifstream manifest(std::string(KORVANE_DATA_STAGE) + "/manifest.txt");
    std::vector<std::string> paths;
    for (std::string line; std::getline(manifest, line);)
        paths.push_back(line.substr(0, line.find(' ')));
    return paths;
}
}

TEST_F(PackThroughEngine, EveryStagedFileSitsInThePackUnderItsDataName)
{
    ASSERT_EQ(files.GetPackCount(), 1u);
    const std::vector<std::string> paths = StagedFiles();
    ASSERT_GE(paths.size(), 100u);
    for (const std::string& path : paths)
    {
        std::vector<VelkorEngine::u8> bytes;
        VelkorEngine::u32 size = 0;
        ASSERT_TRUE(files.FindInPacks("data\\" + PackName(path), &size, &bytes)) << path;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), DataTest::StageFile(path)) << path;
    }
}

TEST_F(PackThroughEngine, EngineSoundReadersTakeEverySoundOfTheTable)
{
    for (const std::string& path : KorvaneTools::GameSoundFiles())
    {
        const std::string name = PackName(path);
        std::unique_ptr<VelkorEngine::SoundFileReader> reader;
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".wav") == 0)
            reader = std::make_unique<VelkorEngine::SoundFileReaderWAV>(&log, &files, name);
        else
            reader = std::make_unique<VelkorEngine::SoundFileReaderOGG>(&log, &files, name);
        EXPECT_EQ(reader->GetChannels(), 1u) << path;
        EXPECT_EQ(reader->GetBitsPerSample(), 16u) << path;
        EXPECT_EQ(reader->GetSampleRate(), 22050u) << path;
        EXPECT_GT(reader->GetDataSize(), 0u) << path;
    }
}
