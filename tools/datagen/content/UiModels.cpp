// GUI models and the cursor's sparks.
#include "tools/datagen/content/UiModels.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/DataStage.h"
#include "tools/datagen/content/GuiModelFiles.h"
#include "tools/formats/ParticleFileWriter.h"

#include <cmath>

namespace KorvaneTools
{
using VelkorEngine::Color;
using VelkorEngine::ParticleSystemFile;
using VelkorEngine::Vector3;

namespace
{

struct MarkerModel
{
    const char* name;
    float width;
    float height;
};

// Each marker stands in its own rectangle centred on the map point.
constexpr MarkerModel MarkerModels[] = {
    {"start", 24, 32}, {"finish", 24, 28}, {"check_point", 24, 30}, {"path", 16, 10}};

void AddMarkers(DataStage& stage)
{
    for (const MarkerModel& marker : MarkerModels)
    {
        const std::string name = std::string("map_") + marker.name;
        AddGuiModel(stage, "ui/models/" + name + ".mlf",
                    StillGuiModel({-marker.width / 2, -marker.height / 2, marker.width, marker.height}),
                    GuiShader("ui/textures/" + name + ".tga", "", GuiBlending::Alpha));
    }
}

// The title sign: 600 × 80 about its origin (wide enough for the longest window title), falling from 200 above and swinging to rest in 16 frames.
void AddTitleMount(DataStage& stage)
{
    constexpr unsigned Frames = 16;
    const auto shift = [](unsigned frame, float u, float) {
        const float t = float(frame) / float(Frames - 1);
        const float fall = 200.0f * (1.0f - t) * (1.0f - t);
        const float swing = 0.08f * std::sin(t * 3 * Pi) * (1.0f - t); // radians about the sign's centre
        const float x = (u - 0.5f) * 600.0f;
        return Vector3(0.0f, fall + x * std::sin(swing), 0.0f);
    };
    AddGuiModel(stage, "ui/models/title_mount.mlf", MorphGuiModel({-300, -40, 600, 80}, 4, 1, Frames, 30.0f, shift),
                GuiShader("ui/textures/title_mount.jpg", "ui/textures/title_mount_alpha.jpg", GuiBlending::Alpha));
}

// The wordmark's mover: from 300 above down to rest with a 10-unit overshoot, 20 frames at 40 a second.
void AddDropIn(DataStage& stage)
{
    constexpr unsigned Frames = 20;
    const auto translation = [](unsigned frame) {
        const float t = float(frame) / float(Frames - 1);
        const float y = t < 0.75f ? 300.0f * (1.0f - t / 0.75f) * (1.0f - t / 0.75f) - 10.0f * (t / 0.75f)
                                  : -10.0f * (1.0f - (t - 0.75f) / 0.25f);
        return Vector3(0.0f, y, 0.0f);
    };
    AddGuiModel(stage, "ui/models/drop_in.mlf", BoneMoverModel(Frames, 40.0f, translation),
                GuiShader("ui/textures/logo_slot.tga", "", GuiBlending::Alpha));
}

void AddParticles(DataStage& stage, const std::string& path, const ParticleSystemFile& file)
{
    stage.Add(path, BuildParticleFile(file));
    stage.Add(path.substr(0, path.rfind('.')) + ".srf",
              BuildShaderFile(GuiShader("ui/particles/spark.tga", "", GuiBlending::Additive)));
}

ParticleSystemFile CursorTrain()
{
    ParticleSystemFile file = GuiParticles(40, 1.0f);
    auto& p = file.parameters;
    p.emission.fill(40.0f);
    p.lifeCentre.fill(0.5f);
    p.lifeSpread.fill(0.1f);
    p.directionCentre.fill(Vector3(0.0f, -1.0f, 0.0f));
    p.directionSpread.fill(Vector3(0.6f, 0.4f, 0.0f));
    p.speedCentre.fill(0.15f);
    p.size = LinearKeys(3.0f, 0.5f);
    p.color = LinearKeys(Color(0.95f, 0.81f, 0.42f, 1.0f), Color(0.95f, 0.81f, 0.42f, 0.0f));
    return file;
}

// A click's sparks live 0.4 s: at a click every 0.05 s, faster than anyone clicks, eight earlier bursts still
// hold theirs as a click emits. Room for nine, so that each click shows its whole burst while the earlier ones
// fade where they were made.
ParticleSystemFile CursorClick()
{
    constexpr VelkorEngine::u32 kBurst = 24;
    constexpr VelkorEngine::u32 kBurstsAtOnce = 9;
    ParticleSystemFile file = GuiParticles(kBurst * kBurstsAtOnce, 0.1f);
    auto& p = file.parameters;
    p.continuousEmission = 0;
    p.emission = {static_cast<float>(kBurst), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    p.lifeCentre.fill(0.4f);
    p.directionCentre.fill(Vector3(0.0f));
    p.directionSpread.fill(Vector3(1.0f, 1.0f, 0.0f));
    p.speedCentre = LinearKeys(0.6f, 0.1f);
    p.size = LinearKeys(4.0f, 1.0f);
    p.color = {Color(0.95f, 0.81f, 0.42f, 1.0f), Color(0.97f, 0.72f, 0.33f, 1.0f), Color(1.0f, 0.6f, 0.24f, 0.9f),
               Color(1.0f, 0.6f, 0.24f, 0.6f),   Color(1.0f, 0.6f, 0.24f, 0.3f),  Color(1.0f, 0.6f, 0.24f, 0.0f)};
    return file;
}
}

ParticleSystemFile GuiParticles(VelkorEngine::u32 capacity, float period)
{
    ParticleSystemFile file;
    file.capacity = capacity;
    auto& p = file.parameters;
    p.period = period;
    p.gravityOn = 0;
    p.gravity = 0.0f;
    p.floorOn = 0;
    p.dieWhenStopped = 0;
    p.lifeSpread.fill(0.0f);
    p.speedSpread.fill(0.0f);
    file.emitterShape = 0;
    return file;
}

void AddUiModels(DataStage& stage)
{
    AddMarkers(stage);
    AddTitleMount(stage);
    AddDropIn(stage);
    AddParticles(stage, "ui/particles/cursor_train.psf", CursorTrain());
    AddParticles(stage, "ui/particles/cursor_click.psf", CursorClick());
}
}
