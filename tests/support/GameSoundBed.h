// An engine on the platform twins whose sound runs on the real mixer (no audio device), with short WAV files
// in its data folder, for the framework's sound player: the test moves the clock and steps the frame's sound
// work by hand.
#pragma once

#include "tests/support/EngineTestBed.h"
#include "tests/support/SoundTestDevice.h"

#include <memory>
#include <string>

namespace TestSupport
{
class GameSoundBed
{
public:
    // withSound false: the sound device fails to open and the engine runs silent. The settings text is the
    // settings file the engine reads at its start.
    explicit GameSoundBed(bool withSound = true, const std::string& settings = "");
    ~GameSoundBed();

    GameSoundBed(const GameSoundBed&) = delete;
    GameSoundBed& operator=(const GameSoundBed&) = delete;

    VelkorEngine::Engine& Engine() { return bed.GetEngine(); }
    // The clock moves on, the frame time is measured, then the sound manager works off its queue.
    void AdvanceTimers(double seconds);
    void RunSoundQueue();
    // The errors logged since the engine started.
    std::vector<std::string> Errors() const { return bed.Records(VelkorEngine::MessageManager::KindError); }

    // Files in the data folder: "effect.wav" (a short tone), "music_a.wav" and "music_b.wav" (a few seconds).
    static constexpr const char* Effect = "effect.wav";
    static constexpr const char* MusicA = "music_a.wav";
    static constexpr const char* MusicB = "music_b.wav";

    EngineTestBed bed;

private:
    std::unique_ptr<SoundMixerDevice> m_mixer;
};
}
