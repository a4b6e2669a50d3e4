// The game's own process surroundings for a test that starts the real game object on the engine's twins:
// the generated data set as the installation (named by the registry's "InstallPath"), the user data and
// settings folders in a temporary folder, and the real mixer for the game's many sounds. The environment
// and the registry files are restored when the bed goes.
#pragma once

#include "tests/support/EngineTestBed.h"
#include "tests/support/SoundTestDevice.h"

#include <map>
#include <string>

namespace TestSupport
{
class InstalledGameBed
{
public:
    // installFolder: the folder that holds data/pack0.pak; registryKey: the game's key ("SOFTWARE\maker\title").
    InstalledGameBed(const std::string& installFolder, const std::string& registryKey);
    ~InstalledGameBed();

    InstalledGameBed(const InstalledGameBed&) = delete;
    InstalledGameBed& operator=(const InstalledGameBed&) = delete;

    // The game's folder under the user data folder ("<folder>/data/<maker>/<title>").
    std::string UserFolder(const std::string& maker, const std::string& title) const;
    // Moves the fake clock on by one frame of 1/60 s.
    void NextFrameTime();
    // Nothing pulls sound from the mixer unless a test does, as an audio device would.
    SoundMixerDevice& GetMixer() { return m_mixer; }

    // Only the twins are used: the game makes its own engine on them.
    EngineTestBed twins;

private:
    SoundMixerDevice m_mixer;
    std::map<std::string, std::string> m_savedVariables;
};
}
