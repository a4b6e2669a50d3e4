// The game's sound player on the engine's real mixer and a hand-moved clock: the double-start guard and the
// reuse of the oldest instance, music slots with their fades, pauses and stops, the volume settings and the
// silent engine.
#include "framework/GameSoundPlayer.h"

#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/sound/Sound.h"
#include "framework/GameSoundChannel.h"
#include "tests/support/GameSoundBed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace GameFramework;
using TestSupport::GameSoundBed;
using VelkorEngine::Sound;

namespace
{
constexpr u32 Menu = 0;
constexpr u32 Game = 1;
constexpr u32 Slot = 0;

class GameSoundPlayerTest : public ::testing::Test
{
protected:
    explicit GameSoundPlayerTest(bool withSound = true) : sound(withSound)
    {
        VelkorEngine::SeedRandom(7);
        // Past the guard of effects registered at time 0.
        sound.AdvanceTimers(1.0);
        player = std::make_unique<GameSoundPlayer>(&sound.Engine(), 0.8f, 0.6f);
    }

    // One frame of the sound work as the game's frame does it.
    void Step(double seconds)
    {
        sound.AdvanceTimers(seconds);
        player->Update();
        sound.RunSoundQueue();
    }

    void Steps(int count, double seconds)
    {
        for (int i = 0; i < count; ++i)
            Step(seconds);
    }

    Sound* Instance(u32 index) const { return player->GetEffectInstances().at(index)->sound; }
    GameSoundChannel& Channel(u32 track) const { return *player->FindChannel(track); }

    void AddBothTracks()
    {
        player->AddMusic(Menu, GameSoundBed::MusicA, 1);
        player->AddMusic(Game, GameSoundBed::MusicB, 1);
    }

    GameSoundBed sound;
    std::unique_ptr<GameSoundPlayer> player;
};

class SilentGameSoundPlayerTest : public GameSoundPlayerTest
{
protected:
    SilentGameSoundPlayerTest() : GameSoundPlayerTest(false) {}
};
}

TEST_F(GameSoundPlayerTest, VolumeSettingsAreRegisteredWithSixDecimalDefaults)
{
    VelkorEngine::Config& config = *sound.Engine().GetConfig();
    std::string text;
    config.GetDefaultValue(text, "g_music_volume");
    EXPECT_EQ(text, "0.800000");
    config.GetDefaultValue(text, "g_sound_volume");
    EXPECT_EQ(text, "0.600000");
    EXPECT_FLOAT_EQ(player->GetDefaultMusicVolume(), 0.8f);
    EXPECT_FLOAT_EQ(player->GetDefaultSoundVolume(), 0.6f);

    config.Execute("g_sound_volume 0.25");
    EXPECT_FLOAT_EQ(player->GetSoundVolume(), 0.25f) << "the setting's storage is the player's volume";
}

TEST(GameSoundPlayerSettings, AValueFromTheSettingsFileWinsOverTheDefault)
{
    GameSoundBed sound(true, "g_music_volume 0.3\ng_sound_volume 1.7\n");
    GameSoundPlayer player(&sound.Engine(), 0.8f, 0.6f);
    EXPECT_FLOAT_EQ(player.GetMusicVolume(), 0.3f);
    EXPECT_FLOAT_EQ(player.GetSoundVolume(), 1.0f) << "clamped when applied";
    EXPECT_FLOAT_EQ(player.GetDefaultMusicVolume(), 0.8f);
}

TEST(GameSoundPlayerSettings, VolumesThatAreNotANumberBecomeFullVolumeFromTheFileAndTheConsole)
{
    GameSoundBed sound(true, "g_music_volume nan\ng_sound_volume 0.5\n");
    GameSoundPlayer player(&sound.Engine(), 0.8f, 0.6f);
    EXPECT_EQ(player.GetMusicVolume(), 1.0f);
    VelkorEngine::Config& config = *sound.Engine().GetConfig();
    config.Execute("g_sound_volume nan");
    EXPECT_EQ(player.GetSoundVolume(), 1.0f) << "read before the next update";
    player.Update();
    for (const char* name : {"g_music_volume", "g_sound_volume"})
    {
        std::string text;
        config.GetValueAsString(text, name);
        EXPECT_EQ(VelkorEngine::StringToFloat(text), 1.0f) << name << " is saved as " << text;
    }
}

TEST_F(GameSoundPlayerTest, VolumesAreClampedToZeroToOne)
{
    struct Case
    {
        f32 asked;
        f32 stored;
    };
    const f32 infinity = std::numeric_limits<f32>::infinity();
    const Case cases[] = {{1.5f, 1.0f},  {-0.2f, 0.0f},     {0.35f, 0.35f},    {1.0f, 1.0f},
                          {0.0f, 0.0f},  {std::nanf(""), 1.0f}, {infinity, 1.0f}, {-infinity, 1.0f}};
    for (const Case& c : cases)
    {
        player->SetMusicVolume(c.asked);
        player->SetSoundVolume(c.asked);
        EXPECT_FLOAT_EQ(player->GetMusicVolume(), c.stored) << c.asked;
        EXPECT_FLOAT_EQ(player->GetSoundVolume(), c.stored) << c.asked;
    }
}

TEST_F(GameSoundPlayerTest, SoundVolumeReachesEverySoundButTheMusic)
{
    player->AddSound(3, GameSoundBed::Effect, 0, 2);
    player->AddMusic(Menu, GameSoundBed::MusicA, 1);
    Sound* interfaceSound = sound.Engine().GetSoundManager()->CreateSound(GameSoundBed::Effect);
    EXPECT_FLOAT_EQ(Instance(0)->GetVolume(), 0.6f) << "an effect starts at the sound volume";

    player->SetSoundVolume(0.4f);
    EXPECT_FLOAT_EQ(Instance(0)->GetVolume(), 0.4f);
    EXPECT_FLOAT_EQ(Instance(1)->GetVolume(), 0.4f);
    EXPECT_FLOAT_EQ(interfaceSound->GetVolume(), 0.4f) << "interface sounds follow the sound volume";
    EXPECT_FLOAT_EQ(Channel(Menu).GetSound()->GetVolume(), 0.8f) << "music keeps its own volume";

    player->SetMusicVolume(0.5f);
    EXPECT_FLOAT_EQ(Channel(Menu).GetSound()->GetVolume(), 0.5f);
    EXPECT_FLOAT_EQ(Instance(0)->GetVolume(), 0.4f);
}

TEST_F(GameSoundPlayerTest, TwoStartsWithinTheGuardStartOneInstance)
{
    player->AddSound(3, GameSoundBed::Effect, 0, 2);
    player->PlaySound(3);
    sound.AdvanceTimers(0.01);
    player->PlaySound(3);
    sound.RunSoundQueue();
    EXPECT_EQ(Instance(0)->GetState(), Sound::Playing);
    EXPECT_EQ(Instance(1)->GetState(), Sound::Stopped) << "the second start came 0.01 s after the first";

    sound.AdvanceTimers(0.02);
    player->PlaySound(3);
    sound.RunSoundQueue();
    EXPECT_EQ(Instance(1)->GetState(), Sound::Playing);
}

TEST_F(GameSoundPlayerTest, AStartBeyondTheInstancesReusesTheOldest)
{
    player->AddSound(9, GameSoundBed::Effect, 0, 3);
    std::vector<f32> starts;
    for (int i = 0; i < 4; ++i)
    {
        sound.AdvanceTimers(0.05);
        starts.push_back(sound.Engine().GetTimerManager()->GetFrameTimer()->GetTime());
        player->PlaySound(9);
    }
    const auto& instances = player->GetEffectInstances();
    EXPECT_FLOAT_EQ(instances[0]->lastStartTime, starts[3]) << "the fourth start takes the first instance again";
    EXPECT_FLOAT_EQ(instances[1]->lastStartTime, starts[1]);
    EXPECT_FLOAT_EQ(instances[2]->lastStartTime, starts[2]);
}

TEST_F(GameSoundPlayerTest, ALoopingEffectIsOnlyStartedWhenSilent)
{
    player->AddSound(4, GameSoundBed::Effect, 1, 1);
    player->PlaySound(4);
    sound.RunSoundQueue();
    ASSERT_EQ(Instance(0)->GetState(), Sound::Playing);
    sound.Engine().GetSoundManager()->Pause(Instance(0), 1);

    sound.AdvanceTimers(0.1);
    player->PlaySound(4);
    sound.RunSoundQueue();
    EXPECT_EQ(Instance(0)->GetState(), Sound::Playing) << "paused, so started again";

    // While it plays, a start queues nothing: a pause queued behind it is the last word.
    sound.AdvanceTimers(0.1);
    player->PlaySound(4);
    sound.Engine().GetSoundManager()->Pause(Instance(0), 0);
    sound.RunSoundQueue();
    EXPECT_EQ(Instance(0)->GetState(), Sound::Paused);
}

TEST_F(GameSoundPlayerTest, StopSoundStopsEveryInstanceAtTheNextUpdate)
{
    player->AddSound(2, GameSoundBed::Effect, 0, 2);
    player->AddSound(5, GameSoundBed::Effect, 0, 1);
    player->PlaySound(2);
    sound.AdvanceTimers(0.05);
    player->PlaySound(2);
    player->PlaySound(5);
    sound.RunSoundQueue();
    EXPECT_EQ(player->GetSoundState(2), static_cast<u32>(Sound::Playing));

    player->StopSound(2);
    EXPECT_EQ(Instance(0)->GetState(), Sound::Playing) << "queued, not at once";
    sound.RunSoundQueue();
    EXPECT_EQ(Instance(0)->GetState(), Sound::Stopped);
    EXPECT_EQ(Instance(1)->GetState(), Sound::Stopped);
    EXPECT_EQ(Instance(2)->GetState(), Sound::Playing) << "another effect is left alone";
    EXPECT_EQ(player->GetSoundState(77), static_cast<u32>(Sound::Stopped)) << "unknown id";
    player->PlaySound(77);
    player->StopSound(77);
}

TEST_F(GameSoundPlayerTest, PlayMusicWithAFadeRisesFromZero)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 1, 2.0f);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 0.0f);
    Steps(2, 0.1);
    EXPECT_NEAR(Channel(Menu).GetFadeLevel(), 0.4f, 1e-5f);
    EXPECT_NEAR(Channel(Menu).GetSound()->GetVolume(), 0.4f * 0.8f, 0.001f);
    Steps(4, 0.1);
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 1.0f);
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeNone));

    player->PlayMusic(1, Game, 0, 0.0f);
    EXPECT_FLOAT_EQ(Channel(Game).GetFadeLevel(), 1.0f) << "without a fade at full level at once";
}

TEST_F(GameSoundPlayerTest, PlayMusicOfTheTrackAlreadyPlayingChangesNothing)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 1, 1.0f);
    Steps(3, 0.1);
    const f32 level = Channel(Menu).GetFadeLevel();
    player->PlayMusic(Slot, Menu, 1, 1.0f);
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), level);
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeIn));
}

TEST_F(GameSoundPlayerTest, AnotherTrackFadesTheOldOneOutOverASecond)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    player->PlayMusic(Slot, Game, 1, 0.5f);
    EXPECT_EQ(player->GetSlotChannel(Slot), &Channel(Game));
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeOutThenStop));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeSpeed(), 1.0f);
    EXPECT_FLOAT_EQ(Channel(Game).GetFadeLevel(), 0.0f);

    Steps(9, 0.1);
    EXPECT_EQ(Channel(Menu).GetState(), static_cast<u32>(Sound::Playing));
    Steps(2, 0.1);
    EXPECT_EQ(Channel(Menu).GetState(), static_cast<u32>(Sound::Stopped));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 0.0f);
    EXPECT_NEAR(Channel(Game).GetFadeLevel(), 0.55f, 1e-5f);
}

TEST_F(GameSoundPlayerTest, AnUnregisteredTrackIsIgnoredWithALogLine)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    player->PlayMusic(Slot, 42, 1, 1.0f);
    player->PlayMusic(3, 42, 0, 0.0f);
    EXPECT_EQ(player->GetSlotChannel(Slot), &Channel(Menu));
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeNone)) << "the old track plays on";
    EXPECT_EQ(player->GetMusicState(3), static_cast<u32>(Sound::Stopped));
    const std::vector<std::string> errors = sound.Errors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("(GameSoundPlayer::PlayMusic) Music track 42 is not registered"), std::string::npos)
        << errors[0];
}

TEST_F(GameSoundPlayerTest, PausingWithAFadeAtSpeedTwoPausesAboutHalfASecondLater)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    player->PauseMusic(Slot, 1, 1, 2.0f);
    Steps(9, 0.05);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    Steps(2, 0.05);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Paused));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 0.0f);
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeNone));

    player->PauseMusic(Slot, 0, 1, 0.5f);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 0.0f);
    Step(0.1);
    EXPECT_NEAR(Channel(Menu).GetFadeLevel(), 0.05f, 1e-5f) << "the resume fades in from silence";
}

TEST_F(GameSoundPlayerTest, PauseAndResumeWithoutAFadeActAtOnce)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    player->PauseMusic(Slot, 1, 0, 0.0f);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Paused));
    player->PauseMusic(Slot, 1, 1, 1.0f);
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeNone)) << "already paused";
    player->PauseMusic(Slot, 0, 0, 0.0f);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 1.0f);
}

TEST_F(GameSoundPlayerTest, PausingATrackThatIsStoppingStopsIt)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    player->StopMusic(Slot, 1, 1.0f);
    player->PauseMusic(Slot, 1, 1, 2.0f);
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeOutThenStop))
        << "a fading pause does not turn a stop into a pause";
    player->PauseMusic(Slot, 1, 0, 0.0f);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Stopped));
}

TEST_F(GameSoundPlayerTest, StopMusicOfPlayingAndPausedTracks)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    player->StopMusic(Slot, 1, 2.0f);
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeOutThenStop));
    Steps(6, 0.1);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Stopped));

    player->PlayMusic(1, Game, 0, 0.0f);
    player->PauseMusic(1, 1, 0, 0.0f);
    player->StopMusic(1, 1, 1.0f);
    EXPECT_EQ(player->GetMusicState(1), static_cast<u32>(Sound::Stopped)) << "a paused track stops at once";

    player->PlayMusic(1, Game, 0, 0.0f);
    player->StopMusic(1, 0, 0.0f);
    EXPECT_EQ(player->GetMusicState(1), static_cast<u32>(Sound::Stopped));
    player->StopMusic(5, 0, 0.0f);
    EXPECT_EQ(player->GetMusicState(5), static_cast<u32>(Sound::Stopped)) << "an empty slot";
}

// Leaving play fades the menu track out; going straight back to the menu asks for it again in that second.
TEST_F(GameSoundPlayerTest, PlayMusicBringsBackTheSameTrackWhileItFadesOut)
{
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    player->StopMusic(Slot, 1, 1.0f);
    Steps(3, 0.1);
    player->PlayMusic(Slot, Menu, 1, 0.5f);
    EXPECT_EQ(Channel(Menu).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeIn));
    EXPECT_NEAR(Channel(Menu).GetFadeLevel(), 0.7f, 1e-5f) << "it rises from where it was";
    Steps(20, 0.1);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 1.0f);

    player->StopMusic(Slot, 1, 1.0f);
    Step(0.1);
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    Steps(20, 0.1);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Menu).GetFadeLevel(), 1.0f) << "without a fade at full level at once";
}

// A quick restart fades the game track out to a pause; the new level resumes it before the fade has ended.
TEST_F(GameSoundPlayerTest, ResumeBringsBackATrackThatIsFadingOutToAPause)
{
    AddBothTracks();
    player->PlayMusic(Slot, Game, 0, 0.0f);
    player->PauseAllMusic(1, 1, 1.0f);
    Steps(4, 0.1);
    player->PauseAllMusic(0, 1, 0.5f);
    EXPECT_EQ(Channel(Game).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeIn));
    Steps(20, 0.1);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Game).GetFadeLevel(), 1.0f);
}

// Leaving play for the menus fades the game track out to a stop; a level loaded before the fade has ended
// resumes it like a paused one, rather than leaving the level silent.
TEST_F(GameSoundPlayerTest, ResumeBringsBackATrackThatIsFadingOutToAStop)
{
    AddBothTracks();
    player->PlayMusic(Slot, Game, 0, 0.0f);
    player->StopAllMusic(1, 1.0f);
    Steps(4, 0.1);
    player->PauseAllMusic(0, 1, 0.5f);
    EXPECT_EQ(Channel(Game).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeIn));
    Steps(20, 0.1);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Game).GetFadeLevel(), 1.0f);

    player->StopAllMusic(1, 1.0f);
    Step(0.1);
    player->PauseAllMusic(0, 0, 0.0f);
    Steps(20, 0.1);
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Playing));
    EXPECT_FLOAT_EQ(Channel(Game).GetFadeLevel(), 1.0f) << "without a fade at full level at once";
}

TEST_F(GameSoundPlayerTest, AllMusicOperationsWalkEverySlot)
{
    AddBothTracks();
    player->PlayMusic(0, Menu, 0, 0.0f);
    player->PlayMusic(1, Game, 0, 0.0f);
    player->PauseAllMusic(1, 0, 0.0f);
    EXPECT_EQ(player->GetMusicState(0), static_cast<u32>(Sound::Paused));
    EXPECT_EQ(player->GetMusicState(1), static_cast<u32>(Sound::Paused));
    player->PauseAllMusic(0, 1, 0.5f);
    EXPECT_EQ(player->GetMusicState(0), static_cast<u32>(Sound::Playing));
    EXPECT_EQ(Channel(Game).GetFadeState(), static_cast<u32>(GameSoundChannel::FadeIn));
    player->StopAllMusic(0, 0.0f);
    EXPECT_EQ(player->GetMusicState(0), static_cast<u32>(Sound::Stopped));
    EXPECT_EQ(player->GetMusicState(1), static_cast<u32>(Sound::Stopped));
}

TEST_F(GameSoundPlayerTest, TheAppliedVolumesWanderByAtMostAHalfThousandth)
{
    player->AddSound(1, GameSoundBed::Effect, 0, 1);
    AddBothTracks();
    player->PlayMusic(Slot, Menu, 0, 0.0f);
    bool moved = false;
    for (int frame = 0; frame < 50; ++frame)
    {
        Step(0.02);
        EXPECT_FLOAT_EQ(player->GetSoundVolume(), 0.6f);
        EXPECT_FLOAT_EQ(player->GetMusicVolume(), 0.8f);
        EXPECT_LE(std::fabs(Instance(0)->GetVolume() - 0.6f), 0.0005f + 1e-6f);
        EXPECT_LE(std::fabs(Channel(Menu).GetSound()->GetVolume() - 0.8f), 0.0005f + 1e-6f);
        moved = moved || Instance(0)->GetVolume() != 0.6f;
    }
    EXPECT_TRUE(moved);
}

TEST_F(GameSoundPlayerTest, DestructionReleasesEverySoundAndTheSettings)
{
    player->AddSound(1, GameSoundBed::Effect, 0, 3);
    AddBothTracks();
    VelkorEngine::SoundManager& sounds = *sound.Engine().GetSoundManager();
    EXPECT_EQ(sounds.GetSoundCount(), 5u);
    player->SetMusicVolume(0.25f);
    player.reset();
    EXPECT_EQ(sounds.GetSoundCount(), 0u);
    std::string text;
    sound.Engine().GetConfig()->GetValueAsString(text, "g_music_volume");
    EXPECT_EQ(text.substr(0, 4), "0.25") << "the value is kept for saving after the player is gone";
    f32 storage = 0.0f;
    sound.Engine().GetConfig()->AddVariable("g_music_volume", VelkorEngine::Config::KindFloat, 0, 1, &storage, "1", 0);
    EXPECT_FLOAT_EQ(storage, 0.25f) << "the name was free for a new owner";
}

TEST_F(SilentGameSoundPlayerTest, EveryOperationIsSafeAndEveryStateIsStopped)
{
    ASSERT_EQ(sound.Engine().GetSoundManager(), nullptr);
    player->AddSound(1, GameSoundBed::Effect, 0, 2);
    player->AddMusic(Menu, GameSoundBed::MusicA, 1);
    player->PlaySound(1);
    player->StopSound(1);
    player->PlayMusic(Slot, Menu, 1, 1.0f);
    player->PauseMusic(Slot, 1, 1, 1.0f);
    player->StopMusic(Slot, 1, 1.0f);
    player->PauseAllMusic(0, 1, 0.5f);
    player->StopAllMusic(0, 0.0f);
    player->SetSoundVolume(2.0f);
    player->ApplySoundVolume();
    Steps(3, 0.1);
    EXPECT_EQ(player->GetSoundState(1), static_cast<u32>(Sound::Stopped));
    EXPECT_EQ(player->GetMusicState(Slot), static_cast<u32>(Sound::Stopped));
    EXPECT_FLOAT_EQ(player->GetSoundVolume(), 1.0f) << "the setting is still kept";
}
