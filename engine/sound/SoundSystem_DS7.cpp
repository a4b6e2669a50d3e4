// Device set-up and teardown with their log lines, the per-frame listener commit and the result texts.
#include "engine/sound/SoundSystem_DS7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"

#include <algorithm>
#include <cmath>

namespace VelkorEngine
{
namespace
{
struct ResultText
{
    HRESULT code;
    const char* text;
};

constexpr ResultText ResultTexts[] = {
    {DSERR_ACCESSDENIED, "The request failed because access was denied."},
    {DSERR_ALLOCATED, "The request failed because resources, such as a priority level, were already in use by another caller."},
    {DSERR_ALREADYINITIALIZED, "The object is already initialized."},
    {DSERR_BADFORMAT, "The specified wave format is not supported."},
    {DSERR_BUFFERLOST, "The buffer memory has been lost and must be restored."},
    {DSERR_CONTROLUNAVAIL, "The buffer control (volume, pan, and so on) requested by the caller is not available."},
    {DSERR_GENERIC, "An undetermined error occurred inside the DirectSound subsystem."},
    {DSERR_INVALIDCALL, "This function is not valid for the current state of this object."},
    {DSERR_INVALIDPARAM, "An invalid parameter was passed to the returning function."},
    {DSERR_NOAGGREGATION, "The object does not support aggregation."},
    {DSERR_NODRIVER, "No sound driver is available for use."},
    {DSERR_NOINTERFACE, "The requested COM interface is not available."},
    {DSERR_OTHERAPPHASPRIO, "Another application has a higher priority level, preventing this call from succeeding."},
    {DSERR_OUTOFMEMORY, "The DirectSound subsystem could not allocate sufficient memory to complete the caller's request."},
    {DSERR_PRIOLEVELNEEDED, "The caller does not have the priority level required for the function to succeed."},
    {DSERR_UNINITIALIZED, "The IDirectSound::Initialize method has not been called or has not been called successfully before other methods were called."},
    {DSERR_UNSUPPORTED, "The function called is not supported at this time."},
};

constexpr DWORD OutputRate = 22050;

std::string ResultSentence(HRESULT result)
{
    for (const ResultText& entry : ResultTexts)
        if (entry.code == result)
            return entry.text;
    return "Unknown error (Code: " + IntToString(result, 0) + ")";
}

WAVEFORMATEX PrimaryFormat()
{
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = OutputRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = OutputRate * 4;
    format.cbSize = 0;
    return format;
}
}

i32 VolumeToAttenuation(f32 volume)
{
    // Also a NaN volume is silence: converting NaN to an integer is undefined.
    if (!(volume >= 0.0001f))
        return DSBVOLUME_MIN;
    const f32 reciprocal = 1.0f / volume;
    const f32 attenuation = std::log(reciprocal) * -1000.0f;
    return static_cast<i32>(std::clamp(attenuation, static_cast<f32>(DSBVOLUME_MIN), 1.0e9f));
}

SoundSystem_DS7::SoundSystem_DS7(MessageManager* log, FileManager* fileManager, TimerManager*, Config* config,
                                 Window* window, u8 use3DSound)
    : SoundSystem(log, fileManager, config, use3DSound)
{
    SetUpDevice(window);
    m_log->Message("");
    Reset();
}

SoundSystem_DS7::~SoundSystem_DS7() { ReleaseDevice(); }

void SoundSystem_DS7::SetUpDevice(Window* window)
{
    m_log->Message("\nInitialization of DirectSound Subsystem:");
    m_log->Message("...Creating a device...");
    if (FAILED(DirectSoundCreate(nullptr, &m_device, nullptr)))
        FailSetUp("Failed to create a device");
    m_log->Message("...Set cooperative level...");
    if (FAILED(m_device->SetCooperativeLevel(window ? window->GetHandle() : nullptr, DSSCL_PRIORITY)))
        FailSetUp("Failed to set cooperative level");

    m_log->Message("...Create primary buffer...");
    DSBUFFERDESC desc;
    desc.dwSize = DescriptionSize;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | (m_use3DSound ? DSBCAPS_CTRL3D : 0);
    if (FAILED(m_device->CreateSoundBuffer(&desc, &m_primaryBuffer, nullptr)))
        FailSetUp("Failed to create primary buffer");
    m_log->Message("...Set primary buffer format...");
    const WAVEFORMATEX format = PrimaryFormat();
    if (FAILED(m_primaryBuffer->SetFormat(&format)))
        FailSetUp("Failed to set primary buffer format");

    if (!m_use3DSound)
        return;
    m_log->Message("...Get the 3D listener from the primary buffer...");
    void* listener = nullptr;
    if (FAILED(m_primaryBuffer->QueryInterface(IID_IDirectSound3DListener, &listener)))
    {
        m_log->Error("Failed to get the 3D listener from the primary buffer");
        m_use3DSound = 0;
        return;
    }
    m_listener = static_cast<IDirectSound3DListener*>(listener);
}

void SoundSystem_DS7::FailSetUp(const std::string& reason)
{
    m_log->Error(reason);
    ReleaseDevice();
    throw Error("");
}

void SoundSystem_DS7::ReleaseDevice()
{
    m_log->Message("DirectSound system destroying:");
    if (m_listener)
    {
        m_log->Message("...Releasing 3D listener...");
        m_listener->Release();
        m_listener = nullptr;
    }
    if (m_primaryBuffer)
    {
        m_log->Message("...Releasing primary buffer...");
        m_primaryBuffer->Release();
        m_primaryBuffer = nullptr;
    }
    if (m_device)
    {
        m_log->Message("...Releasing device...");
        m_device->Release();
        m_device = nullptr;
    }
}

void SoundSystem_DS7::Refresh()
{
    SoundSystem::Refresh();
    DWORD status = 0;
    CheckResult("SoundSystem_DS7::Refresh", m_primaryBuffer->GetStatus(&status));
    if (status == DSBSTATUS_BUFFERLOST)
        m_primaryBuffer->Restore();
    if (m_listener)
        CheckResult("SoundSystem_DS7::Refresh", m_listener->CommitDeferredSettings());
}

std::unique_ptr<Sound> SoundSystem_DS7::CreateSound(const std::string& name)
{
    return std::make_unique<Sound_DS7>(m_log, this, m_bufferManager, name);
}

std::unique_ptr<Sound> SoundSystem_DS7::CreateSound(const Sound& source)
{
    return std::make_unique<Sound_DS7>(this, source);
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CreateSoundBuffer(const std::string& name)
{
    return std::make_unique<SoundBuffer_DS7>(m_log, m_fileManager, this, name);
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CreateSoundBuffer(const SoundBuffer& source)
{
    return std::make_unique<SoundBuffer_DS7>(this, source);
}

void SoundSystem_DS7::SetListenerPosition(const Vector3& position)
{
    SoundSystem::SetListenerPosition(position);
    if (m_listener)
        m_listener->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED);
}

void SoundSystem_DS7::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    SoundSystem::SetListenerOrientation(front, top);
    if (m_listener)
        m_listener->SetOrientation(front.x, front.y, front.z, top.x, top.y, top.z, DS3D_DEFERRED);
}

void SoundSystem_DS7::Reset() { SoundSystem::Reset(); }

void SoundSystem_DS7::CheckResult(const std::string& context, HRESULT result) const
{
    if (result == DS_OK)
        return;
    m_log->Error("DirectSound Subsystem (" + context + "): " + ResultSentence(result));
}
}
