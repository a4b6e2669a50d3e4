// The DirectSound-shaped buffers over the mixer without an audio device: creation checks, lock regions,
// controls and their result codes, cursors, duplicates, 3D interfaces and a circular stream.
#include "platform/dsound/DirectSound.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/MixerDevice.h"

#include "tests/support/SoundTestSignals.h"

#include <gtest/gtest.h>

#include <cstring>

using TestSupport::MakeSoundRamp;
using TestSupport::SoundSamples;

namespace
{
constexpr std::uint32_t BufferRate = 22050;

WAVEFORMATEX Format(std::uint16_t channels, std::uint16_t bits, DWORD rate)
{
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.nBlockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    format.wBitsPerSample = bits;
    format.cbSize = 18;
    return format;
}

class DsoundBuffer : public ::testing::Test
{
protected:
    DsoundBuffer() : m_mixer(std::make_shared<Platform::Mixer>(BufferRate)), m_device(new Platform::MixerDevice(m_mixer, nullptr)) {}
    ~DsoundBuffer() override
    {
        for (IDirectSoundBuffer* buffer : m_buffers)
            buffer->Release();
        m_device->Release();
    }

    HRESULT Create(const WAVEFORMATEX& format, DWORD bytes, DWORD flags, IDirectSoundBuffer** buffer)
    {
        DSBUFFERDESC desc;
        desc.dwSize = 36;
        desc.dwFlags = flags;
        desc.dwBufferBytes = bytes;
        desc.lpwfxFormat = &format;
        const HRESULT result = m_device->CreateSoundBuffer(&desc, buffer, nullptr);
        if (result == DS_OK)
            m_buffers.push_back(*buffer);
        return result;
    }

    IDirectSoundBuffer* Stereo(DWORD bytes, DWORD flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY)
    {
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(Create(Format(2, 16, BufferRate), bytes, flags, &buffer), DS_OK);
        return buffer;
    }

    static void Fill(IDirectSoundBuffer* buffer, DWORD offset, const std::vector<std::uint8_t>& bytes)
    {
        void* first = nullptr;
        void* second = nullptr;
        DWORD firstLength = 0;
        DWORD secondLength = 0;
        ASSERT_EQ(buffer->Lock(offset, static_cast<DWORD>(bytes.size()), &first, &firstLength, &second, &secondLength, 0), DS_OK);
        std::memcpy(first, bytes.data(), firstLength);
        if (secondLength)
            std::memcpy(second, bytes.data() + firstLength, secondLength);
        ASSERT_EQ(buffer->Unlock(first, firstLength, second, secondLength), DS_OK);
    }

    std::vector<std::int16_t> Render(std::uint32_t frames)
    {
        std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
        m_mixer->Render(out.data(), frames);
        return out;
    }

    std::shared_ptr<Platform::Mixer> m_mixer;
    IDirectSound* m_device;
    std::vector<IDirectSoundBuffer*> m_buffers;
};
}

TEST_F(DsoundBuffer, RefusesFormatsTheMixerCannotPlay)
{
    struct Case
    {
        WAVEFORMATEX format;
        HRESULT expected;
    };
    WAVEFORMATEX compressed = Format(2, 16, BufferRate);
    compressed.wFormatTag = 3;
    WAVEFORMATEX misaligned = Format(2, 16, BufferRate);
    misaligned.nBlockAlign = 2;
    const Case cases[] = {
        {Format(0, 16, BufferRate), DSERR_BADFORMAT}, {Format(3, 16, BufferRate), DSERR_BADFORMAT},
        {Format(2, 24, BufferRate), DSERR_BADFORMAT}, {Format(2, 16, 0), DSERR_BADFORMAT},
        {Format(1, 8, 99), DSERR_BADFORMAT},    {Format(1, 8, 100001), DSERR_BADFORMAT},
        {compressed, DSERR_BADFORMAT},          {misaligned, DSERR_BADFORMAT},
        {Format(1, 8, 100), DS_OK},             {Format(2, 16, 100000), DS_OK},
    };
    for (const Case& c : cases)
    {
        IDirectSoundBuffer* buffer = reinterpret_cast<IDirectSoundBuffer*>(this);
        EXPECT_EQ(Create(c.format, 4096, DSBCAPS_CTRLVOLUME, &buffer), c.expected)
            << c.format.nChannels << " " << c.format.wBitsPerSample << " " << c.format.nSamplesPerSec;
        if (c.expected != DS_OK)
        {
            EXPECT_EQ(buffer, nullptr);
        }
    }
}

TEST_F(DsoundBuffer, RefusesBadSizesFlagsAndDescriptions)
{
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(Create(Format(1, 8, BufferRate), 3, 0, &buffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(Format(1, 8, BufferRate), DSBSIZE_MAX + 1, 0, &buffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(Format(2, 16, BufferRate), 4096, DSBCAPS_CTRL3D, &buffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(Format(1, 16, BufferRate), 4096, 0x40000, &buffer), DSERR_INVALIDPARAM);
    DSBUFFERDESC desc;
    desc.dwBufferBytes = 4096;
    EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(m_device->CreateSoundBuffer(nullptr, &buffer, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &buffer, this), DSERR_NOAGGREGATION);
}

TEST_F(DsoundBuffer, PrimaryBufferTakesSixteenBitStereoAndGivesTheListener)
{
    DSBUFFERDESC desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D;
    IDirectSoundBuffer* primary = nullptr;
    ASSERT_EQ(m_device->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
    m_buffers.push_back(primary);
    const WAVEFORMATEX mono = Format(1, 16, BufferRate);
    EXPECT_EQ(primary->SetFormat(&mono), DSERR_BADFORMAT);
    const WAVEFORMATEX stereo = Format(2, 16, 44100);
    EXPECT_EQ(primary->SetFormat(&stereo), DS_OK);
    EXPECT_EQ(m_mixer->GetOutputRate(), 44100u);
    DWORD status = 99;
    EXPECT_EQ(primary->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(primary->Restore(), DS_OK);

    void* object = nullptr;
    EXPECT_EQ(primary->QueryInterface(IID_IDirectSound3DBuffer, &object), DSERR_NOINTERFACE);
    ASSERT_EQ(primary->QueryInterface(IID_IDirectSound3DListener, &object), DS_OK);
    auto* listener = static_cast<IDirectSound3DListener*>(object);
    EXPECT_EQ(listener->SetPosition(1, 2, 3, DS3D_DEFERRED), DS_OK);
    EXPECT_EQ(listener->SetOrientation(0, 0, -1, 0, 1, 0, DS3D_DEFERRED), DS_OK);
    EXPECT_EQ(listener->SetPosition(1, 2, 3, 7), DSERR_INVALIDPARAM);
    EXPECT_EQ(listener->CommitDeferredSettings(), DS_OK);
    EXPECT_EQ(listener->Release(), 0u);

    desc.dwBufferBytes = 16;
    EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &primary, nullptr), DSERR_INVALIDPARAM);
}

TEST_F(DsoundBuffer, LockWrapsIntoTwoRegions)
{
    IDirectSoundBuffer* buffer = Stereo(64);
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    ASSERT_EQ(buffer->Lock(56, 16, &first, &firstLength, &second, &secondLength, 0), DS_OK);
    EXPECT_EQ(firstLength, 8u);
    EXPECT_EQ(secondLength, 8u);
    ASSERT_NE(second, nullptr);
    std::memset(first, 0x11, firstLength);
    std::memset(second, 0x22, secondLength);
    ASSERT_EQ(buffer->Unlock(first, firstLength, second, secondLength), DS_OK);
    EXPECT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    const auto out = Render(16);
    EXPECT_EQ(out[0], 0x2222);
    EXPECT_EQ(out[3], 0x2222);
    EXPECT_EQ(out[4], 0);
    EXPECT_EQ(out[28], 0x1111);
    EXPECT_EQ(out[31], 0x1111);

    ASSERT_EQ(buffer->Lock(0, 16, &first, &firstLength, &second, &secondLength, 0), DS_OK);
    EXPECT_EQ(firstLength, 16u);
    EXPECT_EQ(secondLength, 0u);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(buffer->Unlock(first, firstLength, nullptr, 0), DS_OK);
}

TEST_F(DsoundBuffer, LockRefusesRangesOutsideTheBuffer)
{
    IDirectSoundBuffer* buffer = Stereo(64);
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    EXPECT_EQ(buffer->Lock(64, 4, &first, &firstLength, &second, &secondLength, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 65, &first, &firstLength, &second, &secondLength, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 0, &first, &firstLength, &second, &secondLength, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(60, 8, &first, &firstLength, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(first, 4, nullptr, 0), DSERR_INVALIDCALL);
    ASSERT_EQ(buffer->Lock(0, 8, &first, &firstLength, &second, &secondLength, 0), DS_OK);
    EXPECT_EQ(buffer->Lock(0, 8, &first, &firstLength, &second, &secondLength, 0), DSERR_INVALIDCALL);
    EXPECT_EQ(buffer->Unlock(first, 9, nullptr, 0), DSERR_INVALIDPARAM);
}

TEST_F(DsoundBuffer, ControlsNeedTheirFlagsAndRanges)
{
    IDirectSoundBuffer* plain = Stereo(64, 0);
    EXPECT_EQ(plain->SetVolume(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetFrequency(BufferRate), DSERR_CONTROLUNAVAIL);
    IDirectSoundBuffer* buffer = Stereo(64);
    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-10000), DS_OK);
    EXPECT_EQ(buffer->SetVolume(0), DS_OK);
    EXPECT_EQ(buffer->SetFrequency(99), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(100001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(0), DS_OK);
    EXPECT_EQ(buffer->SetFrequency(100000), DS_OK);
    EXPECT_EQ(buffer->SetCurrentPosition(64), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Play(0, 0, 2), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFormat(nullptr), DSERR_INVALIDCALL);
    EXPECT_EQ(buffer->Restore(), DS_OK);
}

TEST_F(DsoundBuffer, StatusAndCursorFollowTheMix)
{
    IDirectSoundBuffer* buffer = Stereo(400);
    Fill(buffer, 0, MakeSoundRamp(100));
    DWORD status = 0;
    DWORD play = 1;
    DWORD write = 1;
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    buffer->Play(0, 0, 0);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING);
    Render(30);
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 120u);
    EXPECT_EQ(write, 120u);
    buffer->Stop();
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    buffer->SetCurrentPosition(0);
    buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 0u);
    buffer->Play(0, 0, 0);
    Render(100);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

TEST_F(DsoundBuffer, DuplicateSharesDataWithItsOwnVolume)
{
    IDirectSoundBuffer* original = Stereo(400);
    const auto ramp = MakeSoundRamp(100);
    Fill(original, 0, ramp);
    original->SetVolume(-10000);
    IDirectSoundBuffer* duplicate = nullptr;
    ASSERT_EQ(m_device->DuplicateSoundBuffer(original, &duplicate), DS_OK);
    duplicate->SetVolume(0);
    duplicate->Play(0, 0, 0);
    original->Play(0, 0, 0);
    original->Release();
    m_buffers.erase(m_buffers.begin());
    m_buffers.push_back(duplicate);
    EXPECT_EQ(Render(100), SoundSamples(ramp));
}

TEST_F(DsoundBuffer, ThreeDBufferOnlyForBuffersThatAskedForIt)
{
    IDirectSoundBuffer* flat = Stereo(64);
    void* object = this;
    EXPECT_EQ(flat->QueryInterface(IID_IDirectSound3DBuffer, &object), DSERR_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    IDirectSoundBuffer* mono = nullptr;
    ASSERT_EQ(Create(Format(1, 16, BufferRate), 64, DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME, &mono), DS_OK);
    ASSERT_EQ(mono->QueryInterface(IID_IDirectSound3DBuffer, &object), DS_OK);
    auto* positioned = static_cast<IDirectSound3DBuffer*>(object);
    EXPECT_EQ(positioned->SetPosition(1, 2, 3, DS3D_DEFERRED), DS_OK);
    EXPECT_EQ(positioned->SetPosition(1, 2, 3, 5), DSERR_INVALIDPARAM);
    EXPECT_EQ(positioned->Release(), 0u);
}

TEST_F(DsoundBuffer, CircularStreamRefilledBehindTheCursorComesOutWhole)
{
    constexpr DWORD Size = 4096;
    constexpr DWORD Chunk = 512;
    const auto source = MakeSoundRamp(20000);
    IDirectSoundBuffer* buffer = Stereo(Size);
    DWORD written = 0;
    auto write = [&](DWORD count) {
        Fill(buffer, written % Size, std::vector<std::uint8_t>(source.begin() + written, source.begin() + written + count));
        written += count;
    };
    write(Size);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    std::vector<std::int16_t> out;
    DWORD played = 0;
    DWORD last = 0;
    while (written < source.size())
    {
        const auto part = Render(97);
        out.insert(out.end(), part.begin(), part.end());
        DWORD cursor = 0;
        buffer->GetCurrentPosition(&cursor, nullptr);
        played += (cursor + Size - last) % Size;
        last = cursor;
        while (written + Chunk <= played + Size && written < source.size())
            write(std::min<DWORD>(Chunk, static_cast<DWORD>(source.size()) - written));
    }
    const auto samples = SoundSamples(source);
    out.resize(std::min(out.size(), samples.size()));
    EXPECT_EQ(out, std::vector<std::int16_t>(samples.begin(), samples.begin() + out.size()));
    EXPECT_GT(out.size(), samples.size() / 2);
}
