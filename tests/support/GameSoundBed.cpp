// The engine with mixer sound and test tones for the framework's sound player.
#include "tests/support/GameSoundBed.h"

#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"

namespace TestSupport
{
GameSoundBed::GameSoundBed(bool withSound, const std::string& settings)
{
    if (!settings.empty())
        bed.folder.WriteFile("engine.ini", settings);
    if (withSound)
        m_mixer = std::make_unique<SoundMixerDevice>();
    else
        bed.sound.Script().create = DSERR_NODRIVER;
    const SoundWavFormat format;
    bed.folder.WriteFile(std::string("Data/") + Effect, MakeSoundWav(format, MakeSoundTone(2205, 2, 440.0, 22050, 8000.0)));
    bed.folder.WriteFile(std::string("Data/") + MusicA, MakeSoundWav(format, MakeSoundTone(66150, 2, 220.0, 22050, 8000.0)));
    bed.folder.WriteFile(std::string("Data/") + MusicB, MakeSoundWav(format, MakeSoundTone(66150, 2, 330.0, 22050, 8000.0)));
    bed.Start();
}

GameSoundBed::~GameSoundBed() { bed.Stop(); }

void GameSoundBed::AdvanceTimers(double seconds)
{
    bed.clock.AdvanceSeconds(seconds);
    Engine().GetTimerManager()->Update();
}

void GameSoundBed::RunSoundQueue()
{
    if (Engine().GetSoundManager())
        Engine().GetSoundManager()->Update(VelkorEngine::SoundManager::ProcessQueue);
}
}
