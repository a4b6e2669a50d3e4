// The one SDL2 audio device: 16-bit stereo at the mixer's rate, filled by the mixer on SDL's audio thread.
#pragma once

#include <cstdint>
#include <memory>

namespace Platform
{
class Mixer;

class AudioOutput
{
public:
    explicit AudioOutput(std::shared_ptr<Mixer> mixer);
    ~AudioOutput();

    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Starts SDL's audio driver (the one SDL_AUDIODRIVER names, else the first that works).
    bool StartDriver();
    // Opens (or reopens) the device at the rate and starts it; SDL converts when the hardware differs.
    bool Open(std::uint32_t rate);

private:
    void Close();

    std::shared_ptr<Mixer> m_mixer;
    bool m_driverStarted = false;
    std::uint32_t m_device = 0;
};
}
