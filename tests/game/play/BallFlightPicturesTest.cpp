// A ball launched from the bat bouncing through a field of blocks, drawn by a whole engine through OpenGL from the
// game's camera, with the field's lights and the blocks' shadows; a few pictures of the flight are written to
// "play_pictures" of the test folder in the build. The ball's flight is the collision world's and the bounce
// rules'; the blocks, the bat and the ball are plain boxes.
#include "engine/core/Engine.h"
#include "engine/files/Image.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "game/play/BallFlight.h"
#include "game/play/BatMotion.h"
#include "game/play/Bounce.h"
#include "game/play/Effects.h"
#include "game/play/Lighting.h"
#include "tests/game/play/PlayTestCommon.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/PictureEngine.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace VelkorEngine;
using namespace Korvane;

namespace
{
using PlayTest::kFrame60Hz;

constexpr u32 kFrames = 360;
constexpr u32 kPictureEvery = 60;
constexpr f32 kBallSpeed = 90.0f;
constexpr f32 kBallRadius = 2.5f;

class Scene
{
public:
    explicit Scene(Engine& engine) : m_engine(engine), m_effects(std::make_unique<Effects>(&engine))
    {
        AddBox(Vector3(-77, -100, -1), Vector3(77, 110, 0), Color(0.45f, 0.42f, 0.36f, 1), false);
        for (const auto& wall : {std::pair(Vector3(-87, -100, 0), Vector3(-77, 120, 20)),
                                 std::pair(Vector3(77, -100, 0), Vector3(87, 120, 20)),
                                 std::pair(Vector3(-87, 110, 0), Vector3(87, 120, 20))})
            AddBox(wall.first, wall.second, Color(0.55f, 0.5f, 0.45f, 1), false);
        for (int row = 0; row < 6; ++row)
            for (int column = 0; column < 12; ++column)
            {
                const Vector3 low(-71.0f + column * 12.0f, 30.0f + row * 8.0f, 0.0f);
                const Color colour(0.5f + 0.08f * row, 0.25f + 0.05f * column, 0.2f, 1.0f);
                m_blocks.push_back(AddBox(low, low + Vector3(10, 5, 6), colour, true));
            }
        m_head = AddBox(Vector3(-12, -1.5f, 0), Vector3(12, 1.5f, 5), Color(0.8f, 0.8f, 0.9f, 1), true);
        m_body = AddBox(Vector3(-5, -5, 0.5f), Vector3(5, -1.5f, 4.5f), Color(0.4f, 0.4f, 0.5f, 1), true);
        m_ball = AddBox(Vector3(-kBallRadius), Vector3(kBallRadius), Color(1, 0.9f, 0.3f, 1), true);
    }

    ~Scene()
    {
        m_effects.reset();
        for (Model* model : m_models)
            m_engine.GetModelManager()->DeleteModel(model);
    }

    Model* AddBox(const Vector3& low, const Vector3& high, const Color& colour, bool shadow)
    {
        Model* model = m_engine.GetModelManager()->CreateBoxModel(low, high, nullptr, nullptr, ModelFlags::VertexColor);
        model->SetColor(colour);
        MakeIdentityMatrix(model->worldMatrix);
        m_models.push_back(model);
        if (shadow)
            m_effects->GetShadow(m_effects->AddShadow(nullptr, model, false))->Show(true);
        return model;
    }

    Engine& m_engine;
    std::unique_ptr<Effects> m_effects;
    std::vector<Model*> m_models;
    std::vector<Model*> m_blocks;
    Model* m_head = nullptr;
    Model* m_body = nullptr;
    Model* m_ball = nullptr;
};

ImageTest::Picture PictureOf(const Image& image)
{
    const u32 channels = static_cast<u32>(image.GetBitsPerPixel()) / 8;
    return ImageTest::Picture{image.GetWidth(), image.GetHeight(), channels,
                              std::vector<u8>(image.GetData(), image.GetData() + image.GetDataSize())};
}

// How far the picture's pixels stray from their mean: a blank or one-colour picture has none.
double Spread(const Image& image)
{
    const u8* data = image.GetData();
    const size_t count = image.GetDataSize();
    double sum = 0.0;
    double squares = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        sum += data[i];
        squares += static_cast<double>(data[i]) * data[i];
    }
    const double mean = sum / static_cast<double>(count);
    return std::sqrt(squares / static_cast<double>(count) - mean * mean);
}
}

TEST(BallFlightPictures, BallBouncesThroughTheBlocksAndIsDrawnWithShadows)
{
    TestSupport::TempFolder folder;
    folder.WriteFile("data/environment/lighting/lighting.ini",
                     "70 70 80\n2\n-60 -40 150  30 30 30  230 220 200  255 255 255  1 0 0\n"
                     "60 80 150  20 20 20  160 170 200  255 255 255  1 0 0\n");
    TestSupport::FakeClock clock;
    clock.SetMilliseconds(5000);
    const std::string pictures = std::string(KORVANE_TEST_OUTPUT) + "/play_pictures";
    std::filesystem::create_directories(pictures);

    Engine engine(TestSupport::PictureEngineParameters("Play Pictures", folder.Path(), "640x480x32"));
    TestSupport::SetUpGameCamera(engine, Color(0.1f, 0.12f, 0.18f, 1.0f));
    const Lighting lighting(&engine, "lighting.ini");
    ASSERT_EQ(lighting.GetLightCount(), 2u);
    Scene scene(engine);
    scene.m_effects->SetShadowDirection(lighting.GetShadowDirection());

    MessageManager& log = *engine.GetMessageManager();
    Physics physics(&log);
    const FieldLimits limits{-77.0f, 77.0f, 110.0f};
    BallFlight flight(physics, limits);
    BatMotion bat;
    std::vector<bool> standing(scene.m_blocks.size(), true);
    // The ball starts at its rest place on the bat, right of the head's centre, and leaves as a hit there would.
    FlyingBall ball{Vector2(3.6f, -80.0f), Bounce::OffBatHead(3.6f, 0.0f, 12.0f), Vector2(), kBallRadius};
    u32 bounces = 0;
    u32 broken = 0;
    u32 written = 0;
    for (u32 frame = 0; frame < kFrames; ++frame)
    {
        clock.AdvanceSeconds(kFrame60Hz);
        engine.Render();
        // The bat follows the ball from its place on the line.
        bat.Update(kFrame60Hz, true, (ball.position.x + 75.0f) / 150.0f * 800.0f, 12.0f);
        const Vector3 batAt(bat.GetWorldPosition().x, -85.0f, 0.0f);
        for (Model* part : {scene.m_head, scene.m_body})
            MakeTranslationMatrix(part->worldMatrix, batAt);

        physics.ClearObjects();
        for (const auto& [model, id] : {std::pair(scene.m_head, CollisionIds::BatHead), std::pair(scene.m_body, CollisionIds::BatBody)})
        {
            BoundingVolume box = model->bounds;
            box.SetTransform(model->worldMatrix);
            physics.AddStaticObject(BoundingVolume(box.GetWorldMinimum() - Vector3(0, 3, 1000), box.GetWorldMaximum() + Vector3(0, -3, 1000)), id);
        }
        Matrix4 identity;
        MakeIdentityMatrix(identity);
        for (u32 b = 0; b < scene.m_blocks.size(); ++b)
            if (standing[b])
                physics.AddModelObject(scene.m_blocks[b], identity, CollisionIds::BlockIdBase + b);
        std::set<u32> ignored;
        ball.motion = Vector2(ball.direction.x * kBallSpeed * kFrame60Hz, ball.direction.y * kBallSpeed * kFrame60Hz);
        const BallHit hit = flight.Step(ball, ignored, BatShape{batAt.x, 12.0f, batAt.x});
        if (hit.kind != BallHit::Kind::None)
            ++bounces;
        if (hit.kind == BallHit::Kind::Object && hit.id >= CollisionIds::BlockIdBase)
        {
            const u32 block = hit.id - CollisionIds::BlockIdBase;
            standing[block] = false;
            scene.m_blocks[block]->ClearFlags(ModelFlags::Visible);
            ++broken;
        }
        MakeTranslationMatrix(scene.m_ball->worldMatrix, Vector3(ball.position.x, ball.position.y, kBallRadius));
        ASSERT_TRUE(std::isfinite(ball.position.x) && std::isfinite(ball.position.y));
        ASSERT_GE(ball.position.y, -100.0f) << "the bat follows the ball and never misses it";
        for (Model* model : scene.m_models)
            model->bounds.SetTransform(model->worldMatrix);
        scene.m_effects->Update();
        engine.Frame(0);

        if ((frame + 1) % kPictureEvery == 0)
        {
            Image shot;
            engine.GetRenderSystem()->TakeScreenshot(shot);
            ASSERT_EQ(shot.GetWidth(), 640u);
            EXPECT_GT(Spread(shot), 10.0) << "picture " << written << " shows nothing";
            const std::string name = pictures + "/flight_" + std::to_string(written++) + ".tga";
            ImageTest::WriteBytes(name, ImageTest::MakeTga(PictureOf(shot), {.runLength = true, .topDown = true}));
        }
    }
    EXPECT_EQ(written, kFrames / kPictureEvery);
    EXPECT_GT(bounces, 3u);
    EXPECT_GT(broken, 1u);
}
