// The entry to the sound device: the SDL2-backed mixer, or whatever device a test installed.
#include "platform/dsound/DirectSound.h"

#include "platform/dsound/AudioOutput.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/MixerDevice.h"

#include <mutex>

const GUID GUID_NULL{};
const GUID IID_IDirectSound3DListener{0x4B6F7601, 0x0001, 0x4D58, {'l', 'i', 's', 't', 'e', 'n', 'e', 'r'}};
const GUID IID_IDirectSound3DBuffer{0x4B6F7601, 0x0002, 0x4D58, {'3', 'd', 'b', 'u', 'f', 'f', 'e', 'r'}};

namespace
{
constexpr std::uint32_t StartRate = 22050;

std::mutex g_soundFactoryMutex;
Platform::DirectSoundFactory g_soundFactory;

HRESULT CreateMixerWithOutput(IDirectSound** directSound)
{
    auto mixer = std::make_shared<Platform::Mixer>(StartRate);
    auto output = std::make_shared<Platform::AudioOutput>(mixer);
    if (!output->StartDriver())
        return DSERR_NODRIVER;
    *directSound = new Platform::MixerDevice(mixer, output);
    return DS_OK;
}
}

namespace Platform
{
void SetDirectSoundFactory(DirectSoundFactory factory)
{
    std::lock_guard lock(g_soundFactoryMutex);
    g_soundFactory = std::move(factory);
}
}

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, void* outer)
{
    if (!directSound || (device && !(*device == GUID_NULL)))
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    Platform::DirectSoundFactory factory;
    {
        std::lock_guard lock(g_soundFactoryMutex);
        factory = g_soundFactory;
    }
    return factory ? factory(directSound) : CreateMixerWithOutput(directSound);
}
