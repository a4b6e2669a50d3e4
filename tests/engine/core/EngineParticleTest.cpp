// Particle systems and sprite groups in the engine's frame: made by the engine, moved before their squares are
// rebuilt, and both before the models are drawn, all in the same frame.
#include "tests/support/EngineTestBed.h"

#include "engine/render/IndexBuffer.h"
#include "engine/scene/Model.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using TestSupport::EngineTestBed;

TEST(EngineParticles, EachFrameDrawsTheParticlesItMoved)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    ParticleSystemManager& particles = *engine.GetParticleSystemManager();
    const std::unique_ptr<ParticleSystem> source(particles.NewSelfMadeParticleSystem(nullptr));
    ParticleSystem* system = particles.CreateParticleSystemCopy(*source);
    system->SetPosition(Vector3(0.0f, 0.0f, -20.0f));
    system->active = 1;
    system->loop = 1;
    const IndexBuffer& indices = *system->GetModel()->indexBuffer;
    u32 drawnFrames = 0;
    // Ten a second in frames of a twentieth: a particle is born every second frame.
    for (int frame = 0; frame < 8; ++frame)
    {
        bed.clock.AdvanceSeconds(0.05);
        bed.journal.Clear();
        bed.RunFrame();
        EXPECT_EQ(indices.GetIndexCount(), 6 * system->GetAliveCount()) << "frame " << frame;
        drawnFrames += system->GetAliveCount() > 0 && bed.journal.Count("d3d DrawIndexedPrimitive") > 0 ? 1 : 0;
    }
    EXPECT_EQ(system->GetAliveCount(), 4u);
    EXPECT_GT(drawnFrames, 0u);
    particles.DeleteParticleSystem(system);
    EXPECT_EQ(engine.GetSpriteGroupManager()->GetCount(), 1u) << "the source's group only";
}
