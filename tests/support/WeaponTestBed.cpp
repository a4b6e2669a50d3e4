// The weapons on the play test bed.
#include "tests/support/WeaponTestBed.h"

#include "engine/core/TimerManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/GameSoundPlayer.h"
#include "game/play/Barrier.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/Block.h"
#include "game/play/BulletManager.h"
#include "game/play/Effects.h"
#include "game/play/GameGeometry.h"
#include "game/play/Gun.h"
#include "game/play/Hammer.h"
#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"
#include "tests/support/WeaponTestModels.h"

#include <algorithm>

using namespace VelkorEngine;

namespace TestSupport
{
namespace
{
constexpr const char* kTone = "tone.wav";
// Every game sound the weapons and the balls play.
constexpr u32 kSoundIds[] = {17, 18, 19, 20, 21, 24, 25, 26, 27, 30};
}

WeaponTestBed::WeaponTestBed(unsigned seed) : play(seed)
{
    Engine& engine = play.bed.GetEngine();
    WeaponTestModels::Add(engine, *play.resources);
    play.bed.folder.WriteFile(std::string("Data/") + kTone,
                              MakeSoundWav(SoundWavFormat(), MakeSoundTone(441, 2, 440.0, 22050, 8000.0)));
    sounds = std::make_unique<GameFramework::GameSoundPlayer>(&engine, 1.0f, 1.0f);
    for (u32 id : kSoundIds)
        sounds->AddSound(id, kTone, 0, 1);
    play.sounds = sounds.get();
    play.WriteBlock("brick.xml", "<block/>");
}

WeaponTestBed::~WeaponTestBed()
{
    hammer.reset();
    for (auto& gun : guns)
        gun.reset();
    bullets.reset();
    play.balls.reset();
    barrier.reset();
}

void WeaponTestBed::Build(std::vector<KorvaneTools::LevelObject> objects)
{
    Engine& engine = play.bed.GetEngine();
    play.effects = std::make_unique<Korvane::Effects>(&engine);
    barrier = std::make_unique<Korvane::Barrier>(&engine, play.resources.get(), play.effects.get());
    play.barrier = barrier.get();
    play.Build(std::move(objects));
    m_initialBlocks = static_cast<int>(play.geometry->GetBlocks().size());
    bullets = std::make_unique<Korvane::BulletManager>(&engine, play.resources.get(), play.geometry.get(),
                                                       play.field.get(), play.effects.get(), sounds.get());
    for (u32 type = 0; type < 2; ++type)
        guns[type] = std::make_unique<Korvane::Gun>(&engine, play.bat.get(), bullets.get(), play.effects.get(),
                                                    play.resources.get(), type);
    hammer = std::make_unique<Korvane::Hammer>(&engine, play.resources.get(), play.geometry.get(), play.effects.get(),
                                               sounds.get(), &play.cursor);
    FramesUntil([this] { return play.bat->IsReady(); }, 200);
    m_soundCounts.clear();
}

void WeaponTestBed::Frames(int count, float activity, float bulletActivity)
{
    Engine& engine = play.bed.GetEngine();
    for (int i = 0; i < count; ++i)
    {
        play.bed.clock.AdvanceSeconds(PlayTestBed::FrameTime);
        engine.GetTimerManager()->Update();
        engine.GetModelManager()->Render();
        engine.GetParticleSystemManager()->Update();
        play.bat->Update(activity);
        for (auto& gun : guns)
            gun->Update();
        hammer->Update();
        bullets->Update(bulletActivity);
        play.balls->Update(play.lives, activity);
        play.geometry->Update(activity);
        play.effects->Update();
        NoteSounds();
    }
}

// A sound has been started when its instance's start time has changed.
void WeaponTestBed::NoteSounds()
{
    m_lastFrameSounds.clear();
    for (const auto& instance : sounds->GetEffectInstances())
    {
        f32& noted = m_startTimes[instance.get()];
        if (instance->lastStartTime == noted)
            continue;
        noted = instance->lastStartTime;
        ++m_soundCounts[instance->effectId];
        m_lastFrameSounds[instance->effectId] = true;
    }
}

int WeaponTestBed::SoundCount(u32 id) const
{
    const auto found = m_soundCounts.find(id);
    return found == m_soundCounts.end() ? 0 : found->second;
}

bool WeaponTestBed::SoundInLastFrame(u32 id) const
{
    return m_lastFrameSounds.count(id) != 0;
}

int WeaponTestBed::DestroyedCount() const
{
    const auto& blocks = play.geometry->GetBlocks();
    const auto alive = std::count_if(blocks.begin(), blocks.end(), [](const auto& block) { return block->IsAlive(); });
    return m_initialBlocks - static_cast<int>(alive);
}
}
