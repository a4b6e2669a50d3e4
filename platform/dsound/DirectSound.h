// The DirectSound-shaped sound interface the engine's sound system is written against: a device, primary and
// secondary buffers, 3D buffers and the 3D listener, all played by our own mixer on one SDL2 audio device.
#pragma once

#include "platform/win32/Guid.h"
#include "platform/win32/Win32Types.h"

#include <cstdint>
#include <functional>

extern const GUID GUID_NULL;
extern const GUID IID_IDirectSound3DListener;
extern const GUID IID_IDirectSound3DBuffer;

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000Au);
constexpr HRESULT DSERR_ALREADYINITIALIZED = static_cast<HRESULT>(0x88780082u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001Eu);
constexpr HRESULT DSERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
constexpr HRESULT DSERR_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x887800A0u);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046u);
constexpr HRESULT DSERR_UNINITIALIZED = static_cast<HRESULT>(0x887800AAu);
constexpr HRESULT DSERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);

constexpr DWORD DSSCL_PRIORITY = 2;

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x01;
constexpr DWORD DSBCAPS_STATIC = 0x02;
constexpr DWORD DSBCAPS_CTRL3D = 0x10;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;

constexpr DWORD DSBPLAY_LOOPING = 1;
constexpr DWORD DSBSTATUS_PLAYING = 1;
constexpr DWORD DSBSTATUS_BUFFERLOST = 2;

constexpr std::int32_t DSBVOLUME_MIN = -10000;
constexpr std::int32_t DSBVOLUME_MAX = 0;
constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 100000;
constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

constexpr DWORD DS3D_IMMEDIATE = 0;
constexpr DWORD DS3D_DEFERRED = 1;

constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX
{
    std::uint16_t wFormatTag = 0;
    std::uint16_t nChannels = 0;
    DWORD nSamplesPerSec = 0;
    DWORD nAvgBytesPerSec = 0;
    std::uint16_t nBlockAlign = 0;
    std::uint16_t wBitsPerSample = 0;
    std::uint16_t cbSize = 0;
};

struct DSBUFFERDESC
{
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwBufferBytes = 0;
    DWORD dwReserved = 0;
    const WAVEFORMATEX* lpwfxFormat = nullptr;
    GUID guid3DAlgorithm;
};

class IDirectSoundBuffer;

class IDirectSound
{
public:
    virtual DWORD Release() = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
    virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer) = 0;
    virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* source, IDirectSoundBuffer** duplicate) = 0;

protected:
    virtual ~IDirectSound() = default;
};

class IDirectSoundBuffer
{
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual DWORD Release() = 0;
    virtual HRESULT GetStatus(DWORD* status) = 0;
    virtual HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) = 0;
    virtual HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2, DWORD* length2,
                         DWORD flags) = 0;
    virtual HRESULT Unlock(void* region1, DWORD length1, void* region2, DWORD length2) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
    virtual HRESULT SetFormat(const WAVEFORMATEX* format) = 0;
    virtual HRESULT SetVolume(std::int32_t volume) = 0;
    virtual HRESULT SetFrequency(DWORD frequency) = 0;
    virtual HRESULT Restore() = 0;

protected:
    virtual ~IDirectSoundBuffer() = default;
};

class IDirectSound3DListener
{
public:
    virtual DWORD Release() = 0;
    virtual HRESULT SetPosition(float x, float y, float z, DWORD apply) = 0;
    virtual HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                                   DWORD apply) = 0;
    virtual HRESULT CommitDeferredSettings() = 0;

protected:
    virtual ~IDirectSound3DListener() = default;
};

class IDirectSound3DBuffer
{
public:
    virtual DWORD Release() = 0;
    virtual HRESULT SetPosition(float x, float y, float z, DWORD apply) = 0;

protected:
    virtual ~IDirectSound3DBuffer() = default;
};

// Opens the default sound device (the device GUID must be null, aggregation is not supported).
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, void* outer);

namespace Platform
{
// Where DirectSoundCreate takes its device from. Tests install a recording fake, or the mixer without an
// audio device so that they pump it themselves; an empty factory restores the SDL2 device.
using DirectSoundFactory = std::function<HRESULT(IDirectSound**)>;
void SetDirectSoundFactory(DirectSoundFactory factory);
}
