// Sprite groups and particle systems drawn for real through OpenGL on an offscreen window, in the engine's
// frame order: the squares show where they should, the nearer sprite covers the farther one although
// neither writes depth, and a hidden system draws nothing.
#include "tools/formats/ParticleFileWriter.h"
#include "tests/support/SpriteDrawBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using KorvaneTest::RenderPixel;
using KorvaneTest::RenderRgbNear;

namespace
{
const Color kRed(1.0f, 0.0f, 0.0f, 1.0f);
const Color kGreen(0.0f, 1.0f, 0.0f, 1.0f);

class ParticlePixels : public ::testing::Test
{
protected:
    Image Frame() { return scene.FrameAndScreenshot(1.0 / 16); }

    // One red particle of half edge 1, standing still 5 units in front of the camera.
    ParticleSystem* RedParticle()
    {
        ParticleSystemFile file;
        file.capacity = 1;
        ParticleParameters& p = file.parameters;
        p.period = 100.0f;
        p.continuousEmission = 0;
        p.emission = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        p.lifeCentre.fill(100.0f);
        p.gravityOn = 0;
        p.floorOn = 0;
        p.speedCentre.fill(0.0f);
        p.color.fill(kRed);
        scene.WriteDataFile("red.psf", KorvaneTools::BuildParticleFile(file));
        templates.reset(scene.particleSystems->NewParticleSystemFromFile("red.psf", nullptr));
        ParticleSystem* system = scene.particleSystems->CreateParticleSystemCopy(*templates);
        system->SetPosition(Vector3(0.0f, 0.0f, -5.0f));
        system->active = 1;
        return system;
    }

    TestSupport::SpriteDrawBed scene;
    // Declared after the services, so they go before them.
    std::unique_ptr<ParticleSystem> templates;
    std::unique_ptr<SpriteGroup> unregisteredGroup;
};
}

TEST_F(ParticlePixels, ParticleShowsAsASquareFacingTheCamera)
{
    RedParticle();
    const Image frame = Frame();
    // Half an edge of 1 at a distance of 5 spans about 83 pixels either side of the middle.
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320 + 75, 240 - 75), 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320 + 95, 240), 0, 0, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 5, 5), 0, 0, 0, 0));
}

TEST_F(ParticlePixels, HiddenSystemDrawsNothing)
{
    ParticleSystem* system = RedParticle();
    Frame();
    system->SetVisible(false);
    const Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), 0, 0, 0, 0));
}

TEST_F(ParticlePixels, TemplateSystemThatNoOneRunsDrawsNothing)
{
    RedParticle();
    scene.particleSystems->DeleteParticleSystem(scene.particleSystems->CreateParticleSystemCopy(*templates));
    unregisteredGroup.reset(scene.spriteGroups->NewSpriteGroup(4, nullptr, nullptr));
    const Image frame = Frame();
    // Only the running copy's particle: nothing of the template or of a group never updated.
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 5, 5), 0, 0, 0, 0));
}

TEST_F(ParticlePixels, NearerSpriteCoversTheFartherOne)
{
    SpriteGroup* group = scene.spriteGroups->CreateSpriteGroup(2, nullptr, nullptr);
    // The near one is added first: drawn in record order it would be covered.
    group->AddSprite(Vector3(0.0f, 0.0f, -4.0f), 0.5f, kRed);
    group->AddSprite(Vector3(0.0f, 0.0f, -8.0f), 2.0f, kGreen);
    const Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320 + 80, 240), 0, 255, 0));
}

// The group writes its vertices every frame: each picture after the move shows the sprite moved.
TEST_F(ParticlePixels, AMovedSpriteIsDrawnWhereItMovedTo)
{
    SpriteGroup* group = scene.spriteGroups->CreateSpriteGroup(1, nullptr, nullptr);
    Sprite& sprite = *group->GetSprite(group->AddSprite(Vector3(-1.5f, 0.0f, -5.0f), 0.5f, kRed));
    Frame();
    Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 195, 240), 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 445, 240), 0, 0, 0, 0));
    sprite.position = Vector3(1.5f, 0.0f, -5.0f);
    sprite.color = kGreen;
    for (int drawn = 0; drawn < 2; ++drawn)
    {
        frame = Frame();
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 445, 240), 0, 255, 0)) << "frame " << drawn;
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 195, 240), 0, 0, 0, 0)) << "frame " << drawn;
    }
}

TEST_F(ParticlePixels, SpritesAreDrawnAfterADeviceReset)
{
    SpriteGroup* group = scene.spriteGroups->CreateSpriteGroup(1, nullptr, nullptr);
    Sprite& sprite = *group->GetSprite(group->AddSprite(Vector3(-1.5f, 0.0f, -5.0f), 0.5f, kRed));
    Frame();
    Frame();
    scene.render->Reset(RenderSystem::ResetDevice);
    Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 195, 240), 255, 0, 0));
    sprite.position = Vector3(1.5f, 0.0f, -5.0f);
    for (int drawn = 0; drawn < 2; ++drawn)
    {
        frame = Frame();
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 445, 240), 255, 0, 0)) << "frame " << drawn;
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 195, 240), 0, 0, 0, 0)) << "frame " << drawn;
    }
}
