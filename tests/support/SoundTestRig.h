// The engine's sound services over the real mixer without an audio device: the test plays sounds through
// the sound manager and renders the mix itself, frame block by frame block.
#pragma once

#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "tests/support/SoundTestDevice.h"
#include "tests/support/SoundTestWorld.h"

#include <memory>

namespace TestSupport
{
class SoundTestRig
{
public:
    explicit SoundTestRig(VelkorEngine::u8 use3DSound = 0);
    ~SoundTestRig();

    SoundTestRig(const SoundTestRig&) = delete;
    SoundTestRig& operator=(const SoundTestRig&) = delete;

    SoundTestWorld& World() { return m_world; }
    VelkorEngine::SoundSystem_DS7& System() { return *m_system; }
    VelkorEngine::SoundManager& Manager() { return *m_manager; }
    Platform::Mixer& GetMixer() { return m_device.GetMixer(); }
    std::vector<std::int16_t> Render(std::uint32_t frames) { return m_device.Render(frames); }
    // Ends the services early (the sound manager first), as the engine's destructor does.
    void Shutdown();

private:
    SoundTestWorld m_world;
    SoundMixerDevice m_device;
    std::unique_ptr<VelkorEngine::SoundSystem_DS7> m_system;
    std::unique_ptr<VelkorEngine::SoundManager> m_manager;
};
}
