// A sound on a DirectSound-shaped buffer: play, pause and stop, recovery of a lost buffer and the
// notice that a one-shot sound has ended.
#pragma once

#include "engine/sound/Sound.h"

namespace VelkorEngine
{
class SoundBuffer_DS7;
class SoundSystem_DS7;

class Sound_DS7 : public Sound
{
public:
    Sound_DS7(MessageManager* log, SoundSystem_DS7* soundSystem, SoundBufferManager* bufferManager, const std::string& name);
    // Applies the copied volume and position to the new buffer; the copied tempo waits for SetTempo.
    Sound_DS7(SoundSystem_DS7* soundSystem, const Sound& source);

    void Update() override;
    // Starts from the beginning, also when the sound was already playing.
    bool Play() override;
    void Pause() override;
    void Stop() override;
    void SetLooping(u8 looping) override;
    void SetVolume(f32 volume) override;
    void SetTempo(f32 tempo) override;
    void SetPosition(const Vector3& position) override;
    u32 GetState() const override { return m_state; }

private:
    SoundBuffer_DS7& Buffer() const;
    void RecoverLostBuffer();

    SoundSystem_DS7* m_soundSystem;
    u32 m_state = Stopped;
};
}
