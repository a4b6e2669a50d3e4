// Particle systems read on a loading thread register their sprite groups and models while the main thread
// runs the frame steps of the registered systems and groups.
#include "engine/core/Random.h"
#include "engine/scene/ParticleSystem.h"
#include "tools/formats/ParticleFileWriter.h"
#include "tools/formats/ShaderFileWriter.h"
#include "tests/support/SpriteTestScene.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace VelkorEngine;
using namespace TestSupport;
using namespace KorvaneTools;

TEST(ParticleLoadThreads, FilesLoadWhileTheMainThreadRunsFrames)
{
    SpriteTestScene scene;
    SeedRandom(99);
    constexpr int kFiles = 24;
    for (int i = 0; i < kFiles; ++i)
    {
        const std::string name = "particles\\effect" + std::to_string(i);
        scene.WriteDataFile(name + ".psf", BuildParticleFile(MakeFountainParticleFile()));
        if (i % 2 == 0)
            scene.WriteDataFile(name + ".srf", BuildShaderFile(ShaderFile()));
    }
    const std::unique_ptr<ParticleSystem> templateSystem(scene.particleSystems->NewSelfMadeParticleSystem(nullptr));
    ParticleSystem* running = scene.particleSystems->CreateParticleSystemCopy(*templateSystem);
    running->active = 1;
    running->loop = 1;

    std::vector<ParticleSystem*> loaded;
    std::atomic<bool> done{false};
    std::thread loader([&]() {
        for (int i = 0; i < kFiles; ++i)
            loaded.push_back(scene.particleSystems->NewParticleSystemFromFile(
                "particles\\effect" + std::to_string(i) + ".psf", nullptr));
        loaded.push_back(scene.particleSystems->NewParticleSystemFromFile("particles\\missing.psf", nullptr));
        done = true;
    });
    u32 frames = 0;
    while (!done || frames < 10)
    {
        scene.Frame(0.02);
        ++frames;
    }
    loader.join();

    ASSERT_EQ(loaded.size(), static_cast<size_t>(kFiles + 1));
    for (int i = 0; i < kFiles; ++i)
        EXPECT_EQ(loaded[i]->GetCapacity(), 400u);
    EXPECT_EQ(loaded.back()->GetName(), "self_made");
    // The odd files have no shader file beside them, and one particle file is missing.
    EXPECT_EQ(scene.Errors().size(), static_cast<size_t>(kFiles / 2 + 1));
    EXPECT_GT(running->GetPeakAliveCount(), 0u);
    EXPECT_EQ(scene.spriteGroups->GetCount(), static_cast<u32>(kFiles + 3));
    for (ParticleSystem* system : loaded)
        delete system;
    EXPECT_EQ(scene.spriteGroups->GetCount(), 2u);
}
