// The mixer on a real SDL2 audio device: the audio thread mixes while the main thread drives the buffers,
// and a driver that does not exist makes the device creation fail.
#include "platform/dsound/DirectSound.h"

#include "tests/support/SoundTestSignals.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace
{
WAVEFORMATEX Stereo16Wave(DWORD rate)
{
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = rate;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = rate * 4;
    format.wBitsPerSample = 16;
    return format;
}

IDirectSoundBuffer* CreateBuffer(IDirectSound* device, DWORD flags, DWORD bytes, const WAVEFORMATEX* format)
{
    DSBUFFERDESC desc;
    desc.dwSize = 36;
    desc.dwFlags = flags;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = format;
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    return buffer;
}
}

TEST(DsoundDevice, UnknownDriverFailsTheCreation)
{
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    IDirectSound* device = reinterpret_cast<IDirectSound*>(&device);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
}

TEST(DsoundDevice, OnlyTheDefaultDeviceWithoutAggregation)
{
    IDirectSound* device = nullptr;
    const GUID other{1, 2, 3, {}};
    EXPECT_EQ(DirectSoundCreate(&other, &device, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, &device), DSERR_NOAGGREGATION);
    EXPECT_EQ(DirectSoundCreate(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
}

TEST(DsoundDeviceThreads, MainThreadDrivesBuffersWhileTheAudioThreadMixes)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    IDirectSound* device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    IDirectSoundBuffer* primary = CreateBuffer(device, DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME, 0, nullptr);
    ASSERT_NE(primary, nullptr);
    const WAVEFORMATEX format = Stereo16Wave(22050);
    ASSERT_EQ(primary->SetFormat(&format), DS_OK);

    const auto ramp = TestSupport::MakeSoundRamp(4096);
    IDirectSoundBuffer* buffer =
        CreateBuffer(device, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY, static_cast<DWORD>(ramp.size()), &format);
    ASSERT_NE(buffer, nullptr);
    DWORD lastCursor = 0;
    int cursorMoves = 0;
    for (int round = 0; round < 2000 || cursorMoves < 3; ++round)
    {
        void* first = nullptr;
        void* second = nullptr;
        DWORD firstLength = 0;
        DWORD secondLength = 0;
        const DWORD offset = static_cast<DWORD>((round * 4096) % ramp.size());
        ASSERT_EQ(buffer->Lock(offset, 8192, &first, &firstLength, &second, &secondLength, 0), DS_OK);
        std::memcpy(first, ramp.data(), firstLength);
        if (secondLength)
            std::memcpy(second, ramp.data() + firstLength, secondLength);
        ASSERT_EQ(buffer->Unlock(first, firstLength, second, secondLength), DS_OK);
        buffer->Play(0, 0, round % 3 ? DSBPLAY_LOOPING : 0);
        buffer->SetVolume(-(round % 100) * 10);
        buffer->SetFrequency(11025 + round);
        DWORD cursor = 0;
        buffer->GetCurrentPosition(&cursor, nullptr);
        cursorMoves += cursor != lastCursor;
        lastCursor = cursor;
        if (round % 7 == 0)
            buffer->Stop();
        ASSERT_LT(round, 10000000) << "the audio thread never mixed";
    }
    buffer->Release();
    primary->Release();
    EXPECT_EQ(device->Release(), 0u);
}
