// SDL2 audio device whose callback pulls every sample from the mixer.
#include "platform/dsound/AudioOutput.h"

#include "platform/dsound/Mixer.h"

#include <SDL.h>

namespace Platform
{
namespace
{
constexpr int BytesPerFrame = 4;
constexpr Uint16 FramesPerCallback = 1024;

void FillFromMixer(void* user, Uint8* stream, int length)
{
    static_cast<Mixer*>(user)->Render(reinterpret_cast<std::int16_t*>(stream),
                                       static_cast<std::uint32_t>(length / BytesPerFrame));
}
}

AudioOutput::AudioOutput(std::shared_ptr<Mixer> mixer) : m_mixer(std::move(mixer)) {}

AudioOutput::~AudioOutput()
{
    Close();
    if (m_driverStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioOutput::StartDriver()
{
    if (!m_driverStarted)
        m_driverStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return m_driverStarted;
}

bool AudioOutput::Open(std::uint32_t rate)
{
    Close();
    if (!m_driverStarted)
        return false;
    m_mixer->SetOutputRate(rate);
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(rate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = FramesPerCallback;
    wanted.callback = FillFromMixer;
    wanted.userdata = m_mixer.get();
    SDL_AudioSpec obtained{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_device == 0)
        return false;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void AudioOutput::Close()
{
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    m_device = 0;
}
}
