// The sound system on the DirectSound-shaped device: opens the default device at priority level with a
// 16-bit stereo 22050 Hz primary buffer, optionally the 3D listener, and reports every device result.
#pragma once

#include "engine/sound/SoundSystem.h"

#include "platform/dsound/DirectSound.h"

namespace VelkorEngine
{
class TimerManager;
class Window;

class SoundSystem_DS7 : public SoundSystem
{
public:
    // The size every buffer description of the engine states, primary or not.
    static constexpr DWORD DescriptionSize = 36;

    // Throws Error with an empty message when the device cannot be set up; the reason is logged.
    // The timer manager is taken for the engine's construction order only: streams read their play
    // position from the device, so no buffer needs a clock.
    SoundSystem_DS7(MessageManager* log, FileManager* fileManager, TimerManager* timerManager, Config* config,
                    Window* window, u8 use3DSound);
    ~SoundSystem_DS7() override;

    void Refresh() override;
    std::unique_ptr<Sound> CreateSound(const std::string& name) override;
    std::unique_ptr<Sound> CreateSound(const Sound& source) override;
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& name) override;
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const SoundBuffer& source) override;
    void SetListenerPosition(const Vector3& position) override;
    void SetListenerOrientation(const Vector3& front, const Vector3& top) override;
    void Reset() override;

    // Logs one error line for every result but 0; never throws.
    void CheckResult(const std::string& context, HRESULT result) const;

    IDirectSound* GetDevice() const { return m_device; }

private:
    void SetUpDevice(Window* window);
    [[noreturn]] void FailSetUp(const std::string& reason);
    void ReleaseDevice();

    IDirectSound* m_device = nullptr;
    IDirectSoundBuffer* m_primaryBuffer = nullptr;
    IDirectSound3DListener* m_listener = nullptr;
};

// A linear volume as DirectSound attenuation: 1000 x ln(volume) hundredths of a decibel, at least -10000.
i32 VolumeToAttenuation(f32 volume);
}
