// Stand-in weapon models: animated boxes.
#include "tests/support/WeaponTestModels.h"

#include "engine/core/Engine.h"
#include "engine/core/Vector3.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/DataKeeper.h"
#include "game/play/Hammer.h"

#include <memory>
#include <string>

using namespace VelkorEngine;

namespace TestSupport
{
namespace
{
// A box whose animation runs over the frames at the speed; the morph bit makes the model manager advance it.
void AddBox(Engine& engine, GameTools::DataKeeper& resources, const std::string& name, const Vector3& minimum,
            const Vector3& maximum, u32 frames = 1, f32 speed = 0.0f)
{
    Model* model = engine.GetModelManager()->NewBoxModel(minimum, maximum, nullptr, nullptr, 0);
    model->animation = std::make_unique<AnimationControl>(engine.GetMessageManager(), engine.GetTimerManager(), frames);
    model->animation->speed = speed;
    if (frames > 1)
        model->SetFlags(ModelFlags::Morph);
    resources.AddModel(name, model);
}
}

void WeaponTestModels::Add(Engine& engine, GameTools::DataKeeper& resources)
{
    AddBox(engine, resources, "guns/arbalet/gun", Vector3(-1, -4, 5), Vector3(1, 6, 6.5f), 41, 60.0f);
    AddBox(engine, resources, "guns/ballista/gun", Vector3(-1.6f, -4, 5), Vector3(1.6f, 7, 7), 26, 40.0f);
    AddBox(engine, resources, "guns/arbalet/bullet", Vector3(-0.2f, -3.5f, BoltHeight - 0.2f),
           Vector3(0.2f, 3.5f, BoltHeight + 0.2f));
    AddBox(engine, resources, "guns/ballista/bullet", Vector3(-0.4f, -5, BoltHeight - 0.4f),
           Vector3(0.4f, 5, BoltHeight + 0.4f));
    AddBox(engine, resources, "hammer/model", Vector3(-8, -4, -Korvane::Hammer::Reach),
           Vector3(8, 4, 8 - Korvane::Hammer::Reach), 10, 20.0f);
    AddBox(engine, resources, "barrier/hardware_0", Vector3(-77, RopeY - 1, 0), Vector3(-75, RopeY + 1, 9), 9, 30.0f);
    AddBox(engine, resources, "barrier/hardware_1", Vector3(75, RopeY - 1, 0), Vector3(77, RopeY + 1, 9), 9, 30.0f);
    for (int rope = 0; rope < 3; ++rope)
    {
        const f32 z = 2.0f + 2.0f * static_cast<f32>(rope);
        AddBox(engine, resources, "barrier/rope_" + std::to_string(rope), Vector3(-76, RopeY - 0.35f, z - 0.35f),
               Vector3(76, RopeY + 0.35f, z + 0.35f), 9, 30.0f);
    }
    ParticleSystemManager& particles = *engine.GetParticleSystemManager();
    for (const char* gun : {"arbalet", "ballista"})
        for (const char* effect : {"bullet_train", "bullet_destruction"})
            resources.AddParticleSystem(std::string("guns/") + gun + "/" + effect,
                                        particles.NewSelfMadeParticleSystem(nullptr));
}
}
