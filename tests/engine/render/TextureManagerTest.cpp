// The texture manager's sharing, reference counts, placeholder and sizing, over a render system without a device.
#include "engine/render/TextureManager.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "engine/files/Image.h"
#include "engine/render/Texture2D.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/RenderRecordingSystem.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

using namespace VelkorEngine;
using testing::HasSubstr;

namespace
{
class TextureManagerTest : public testing::Test
{
protected:
    TextureManagerTest()
        : log("test", 0, 0, "", ""), files(&log, folder.Path(), ""),
          config(&log, &files, folder.Path(), "settings", 0, "640x480x32", 0, 0), render(&log, &config),
          manager(&log, &files, &config, nullptr, &render)
    {
    }

    void WriteTga(const std::string& name, u32 width, u32 height, u32 channels = 3)
    {
        ImageTest::WriteBytes(folder / name, ImageTest::MakeTga(ImageTest::MakePattern(width, height, channels)));
    }

    std::vector<std::string> Entries(u32 kind)
    {
        std::vector<std::string> entries;
        for (u32 i = 0; i < log.GetRecordCount(); ++i)
            if (log.GetRecord(i).kind == kind)
                entries.push_back(log.GetRecord(i).text);
        return entries;
    }

    // The images a rebuild of the texture would get; the manager stores none for GetTexture.
    TextureImages ImagesOf(Texture2D* texture)
    {
        TextureImages images = manager.GetTextureImages(texture);
        EXPECT_EQ(images.diffuse, images.readDiffuse.get());
        return images;
    }

    TestSupport::TempFolder folder;
    MessageManager log;
    FileManager files;
    Config config;
    KorvaneTest::RenderRecordingSystem render;
    TextureManager manager;
};
}

TEST(TextureManagerNames, KeyJoinsLowerCasedNamesAndTheMipOption)
{
    EXPECT_EQ("diffuse_data\\stone.tga", TextureManager::MakeTextureName(false, "Data\\Stone.TGA", ""));
    EXPECT_EQ("diffuse_a.jpg_plus_opacity_a_alpha.tga", TextureManager::MakeTextureName(false, "A.jpg", "A_Alpha.tga"));
    EXPECT_EQ("diffuse_a.jpg_with_mip_mapping", TextureManager::MakeTextureName(true, "a.jpg", ""));
    EXPECT_EQ("diffuse_a.jpg_plus_opacity_b.bmp_with_mip_mapping", TextureManager::MakeTextureName(true, "a.jpg", "b.bmp"));
}

TEST(TextureManagerNames, PowersOfTwoStopAt65536)
{
    for (u32 value : {0u, 1u, 2u, 4u, 256u, 1024u, 65536u})
        EXPECT_TRUE(TextureManager::IsPowerOfTwo(value)) << value;
    for (u32 value : {3u, 6u, 300u, 65535u, 65537u, 131072u, 0x80000000u})
        EXPECT_FALSE(TextureManager::IsPowerOfTwo(value)) << value;
}

TEST(TextureManagerNames, NearestPowerOfTwoRoundsTiesUp)
{
    const std::pair<u32, u32> cases[] = {{1, 1}, {2, 2}, {3, 4}, {5, 4}, {6, 8}, {200, 256}, {300, 256},
                                         {384, 512}, {383, 256}, {1000, 1024}, {65536, 65536}};
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(expected, TextureManager::NearestPowerOfTwo(size)) << size;
}

TEST_F(TextureManagerTest, SameNamesInAnyCaseShareOneTexture)
{
    WriteTga("stone.tga", 8, 8);
    Texture2D* first = manager.GetTexture(false, "stone.tga", "");
    Texture2D* second = manager.GetTexture(false, "STONE.tga", "");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(2u, first->GetReferenceCount());
    EXPECT_EQ(1u, manager.GetTextureCount());
    manager.ReleaseTexture(first);
    EXPECT_EQ(1u, manager.GetTextureCount());
    EXPECT_EQ(1u, first->GetReferenceCount());
    manager.ReleaseTexture(second);
    EXPECT_EQ(0u, manager.GetTextureCount());
}

TEST_F(TextureManagerTest, MipOptionAndOpacityMakeOtherTextures)
{
    WriteTga("stone.tga", 8, 8);
    Texture2D* plain = manager.GetTexture(false, "stone.tga", "");
    Texture2D* mipped = manager.GetTexture(true, "stone.tga", "");
    Texture2D* opaque = manager.GetTexture(false, "stone.tga", "stone.tga");
    EXPECT_NE(plain, mipped);
    EXPECT_NE(plain, opaque);
    EXPECT_EQ("diffuse_stone.tga_with_mip_mapping", mipped->GetKeyName());
    std::vector<Texture2D*> textures{nullptr};
    manager.GetTextures(textures);
    EXPECT_EQ(3u, textures.size());
    EXPECT_THAT(textures, testing::UnorderedElementsAre(plain, mipped, opaque));
}

TEST_F(TextureManagerTest, UnknownOrNullTexturesAreIgnoredOnRelease)
{
    WriteTga("stone.tga", 8, 8);
    Texture2D* texture = manager.GetTexture(false, "stone.tga", "");
    manager.ReleaseTexture(nullptr);
    Texture2D stranger("diffuse_stone.tga");
    manager.ReleaseTexture(&stranger);
    EXPECT_EQ(1u, manager.GetTextureCount());
    EXPECT_EQ(1u, texture->GetReferenceCount());
}

TEST_F(TextureManagerTest, SizesThatAreNoPowersOfTwoAreWarnedAboutAndResized)
{
    WriteTga("odd.tga", 300, 200);
    WriteTga("wide.tga", 384, 4);
    log.ClearRecords();
    Texture2D* odd = manager.GetTexture(false, "odd.tga", "");
    Texture2D* wide = manager.GetTexture(false, "wide.tga", "");
    const std::vector<std::string> warnings = Entries(MessageManager::KindWarning);
    ASSERT_EQ(2u, warnings.size());
    EXPECT_THAT(warnings[0], HasSubstr("Texture Manager: \"odd.tga\" image size should be power of two"));
    EXPECT_THAT(warnings[1], HasSubstr("Texture Manager: \"wide.tga\" image size should be power of two"));
    // A rebuild gets the same power-of-two images as the first build, without warning again.
    const TextureImages oddImages = ImagesOf(odd);
    EXPECT_EQ(256u, oddImages.diffuse->GetWidth());
    EXPECT_EQ(256u, oddImages.diffuse->GetHeight());
    EXPECT_EQ(512u, ImagesOf(wide).diffuse->GetWidth());
    EXPECT_EQ(2u, Entries(MessageManager::KindWarning).size());
}

TEST_F(TextureManagerTest, DeviceMaximumLimitsTheSize)
{
    WriteTga("long.tga", 3500, 2);
    Texture2D* texture = manager.GetTexture(false, "long.tga", "");
    EXPECT_EQ(2048u, ImagesOf(texture).diffuse->GetWidth()) << "the recording render system reports 2048";
}

TEST_F(TextureManagerTest, OpacityOfAnotherSizeIsResizedToTheDiffuse)
{
    WriteTga("colour.tga", 64, 32);
    WriteTga("alpha.tga", 16, 16, 1);
    log.ClearRecords();
    Texture2D* texture = manager.GetTexture(false, "colour.tga", "alpha.tga");
    const std::vector<std::string> warnings = Entries(MessageManager::KindWarning);
    ASSERT_EQ(1u, warnings.size());
    EXPECT_THAT(warnings[0],
                HasSubstr("Texture Manager: \"alpha.tga\" image size should be the same as \"colour.tga\""));
    const TextureImages images = ImagesOf(texture);
    ASSERT_NE(nullptr, images.opacity);
    EXPECT_EQ(64u, images.opacity->GetWidth());
    EXPECT_EQ(32u, images.opacity->GetHeight());
}

TEST_F(TextureManagerTest, MissingDiffuseGivesTheCheckerboardAndOneError)
{
    log.ClearRecords();
    Texture2D* texture = manager.GetTexture(false, "missing.tga", "");
    ASSERT_NE(nullptr, texture);
    const std::vector<std::string> errors = Entries(MessageManager::KindError);
    ASSERT_EQ(1u, errors.size());
    EXPECT_THAT(errors[0], HasSubstr("missing.tga"));
    const TextureImages images = ImagesOf(texture);
    Image checkerboard;
    checkerboard.CreateCheckerboard(nullptr);
    ASSERT_EQ(64u, images.diffuse->GetWidth());
    EXPECT_EQ(0, std::memcmp(checkerboard.GetData(), images.diffuse->GetData(), checkerboard.GetDataSize()));
}

TEST_F(TextureManagerTest, MissingOpacityGivesNoOpacityImage)
{
    WriteTga("colour.tga", 8, 8);
    Texture2D* texture = manager.GetTexture(false, "colour.tga", "nothing.tga");
    EXPECT_EQ("diffuse_colour.tga_plus_opacity_nothing.tga", texture->GetKeyName());
    EXPECT_EQ(nullptr, ImagesOf(texture).opacity);
}

TEST_F(TextureManagerTest, OpacityNamedLikeTheDiffuseIsACopyOfIt)
{
    WriteTga("colour.tga", 8, 8);
    std::unique_ptr<Image> diffuse;
    std::unique_ptr<Image> opacity;
    manager.LoadImages("colour.tga", "colour.tga", diffuse, opacity);
    ASSERT_NE(nullptr, opacity);
    ASSERT_EQ(diffuse->GetDataSize(), opacity->GetDataSize());
    EXPECT_EQ(0, std::memcmp(diffuse->GetData(), opacity->GetData(), diffuse->GetDataSize()));
    EXPECT_NE(diffuse->GetData(), opacity->GetData());
}

TEST_F(TextureManagerTest, KeptImagesAreHandedBackWithoutReading)
{
    auto diffuse = std::make_unique<Image>();
    diffuse->CreateCheckerboard(nullptr);
    Image* kept = diffuse.get();
    Texture2D* texture = manager.LoadTexture(TextureManager::ManagerKeepsImages, TextureManager::WithoutMipMaps,
                                             "made.tga", "", diffuse.release(), nullptr);
    const TextureImages images = manager.GetTextureImages(texture);
    EXPECT_EQ(nullptr, images.readDiffuse);
    EXPECT_EQ(kept, images.diffuse);
    EXPECT_EQ(nullptr, images.opacity);
    // The same key again: the new images are dropped and the texture shared.
    auto again = std::make_unique<Image>();
    again->CreateCheckerboard(nullptr);
    EXPECT_EQ(texture, manager.LoadTexture(TextureManager::ManagerKeepsImages, TextureManager::WithoutMipMaps,
                                           "made.tga", "", again.release(), nullptr));
    EXPECT_EQ(2u, texture->GetReferenceCount());
}

// The loading thread and the main thread ask for the same textures at once.
class TextureManagerThreads : public TextureManagerTest
{
};

TEST_F(TextureManagerThreads, ConcurrentRequestsShareAndCountEveryReference)
{
    WriteTga("a.tga", 16, 16);
    WriteTga("b.tga", 16, 16);
    constexpr int Rounds = 50;
    auto request = [&] {
        for (int i = 0; i < Rounds; ++i)
        {
            manager.GetTexture(false, i % 2 ? "a.tga" : "b.tga", "");
            manager.GetTextureCount();
        }
    };
    std::thread other(request);
    request();
    other.join();
    ASSERT_EQ(2u, manager.GetTextureCount());
    std::vector<Texture2D*> textures;
    manager.GetTextures(textures);
    EXPECT_EQ(static_cast<u32>(Rounds), textures[0]->GetReferenceCount());
    EXPECT_EQ(static_cast<u32>(Rounds), textures[1]->GetReferenceCount());
}
