// The engine's sound services: created after the controls when a device opens, absent (and the game silent)
// when none does, and run by the engine's frame.
#include "engine/core/Engine.h"
#include "engine/sound/Sound.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace VelkorEngine;

namespace
{
EngineParameters SoundParameters()
{
    EngineParameters parameters;
    parameters.applicationName = "Sound check";
    parameters.version = 100;
    parameters.writeLog = 0;
    parameters.defaultVideoMode = "640x480x32";
    return parameters;
}

bool Logged(MessageManager& log, const std::string& text)
{
    for (u32 i = 0; i < log.GetRecordCount(); ++i)
        if (log.GetRecord(i).text.find(text) != std::string::npos)
            return true;
    return false;
}
}

TEST(EngineSound, NoAudioDriverMeansASilentEngine)
{
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    Engine engine(SoundParameters());
    EXPECT_EQ(engine.GetSoundSystem(), nullptr);
    EXPECT_EQ(engine.GetSoundManager(), nullptr);
    EXPECT_TRUE(Logged(*engine.GetMessageManager(), "Failed to create a device"));
    EXPECT_TRUE(Logged(*engine.GetMessageManager(), "DirectSound system destroying:"));
    engine.Render();
    engine.Frame(0);
}

TEST(EngineSound, SoundServicesRunInTheFrame)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Engine engine(SoundParameters());
    ASSERT_NE(engine.GetSoundSystem(), nullptr);
    ASSERT_NE(engine.GetSoundManager(), nullptr);
    EXPECT_TRUE(Logged(*engine.GetMessageManager(), "Initialization of DirectSound Subsystem:"));
    Sound* sound = engine.GetSoundManager()->CreateSound("");
    engine.GetSoundManager()->Pause(sound, 0);
    engine.Render();
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
    engine.Frame(0);
    EXPECT_EQ(sound->GetState(), Sound::Paused) << "the frame works off the sound manager's queue";
}
