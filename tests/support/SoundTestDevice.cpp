// The mixer-only device and the recording fake behind DirectSoundCreate.
#include "tests/support/SoundTestDevice.h"

#include "tests/support/EngineCallJournal.h"

#include "platform/dsound/Mixer.h"
#include "platform/dsound/MixerDevice.h"

#include <sstream>

namespace TestSupport
{
SoundMixerDevice::SoundMixerDevice() : m_mixer(std::make_shared<Platform::Mixer>(22050))
{
    std::shared_ptr<Platform::Mixer> mixer = m_mixer;
    Platform::SetDirectSoundFactory([mixer](IDirectSound** device) {
        *device = new Platform::MixerDevice(mixer, nullptr);
        return DS_OK;
    });
}

SoundMixerDevice::~SoundMixerDevice() { Platform::SetDirectSoundFactory(nullptr); }

std::vector<std::int16_t> SoundMixerDevice::Render(std::uint32_t frames)
{
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    m_mixer->Render(out.data(), frames);
    return out;
}

namespace
{
std::string Floats(std::initializer_list<float> values)
{
    std::ostringstream text;
    for (float value : values)
        text << ' ' << value;
    return text.str();
}

class FakeListener : public IDirectSound3DListener
{
public:
    explicit FakeListener(SoundFakeDevice& owner) : m_owner(owner) {}
    DWORD Release() override
    {
        m_owner.Record("Release listener");
        delete this;
        return 0;
    }
    HRESULT SetPosition(float x, float y, float z, DWORD apply) override
    {
        m_owner.Record("Listener.SetPosition" + Floats({x, y, z}) + " " + std::to_string(apply));
        return DS_OK;
    }
    HRESULT SetOrientation(float fx, float fy, float fz, float tx, float ty, float tz, DWORD apply) override
    {
        m_owner.Record("Listener.SetOrientation" + Floats({fx, fy, fz, tx, ty, tz}) + " " + std::to_string(apply));
        return DS_OK;
    }
    HRESULT CommitDeferredSettings() override
    {
        m_owner.Record("Listener.CommitDeferredSettings");
        return m_owner.Script().commit;
    }

private:
    SoundFakeDevice& m_owner;
};

class FakePrimary : public IDirectSoundBuffer
{
public:
    explicit FakePrimary(SoundFakeDevice& owner) : m_owner(owner) {}
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        m_owner.Record(iid == IID_IDirectSound3DListener ? "Primary.QueryInterface listener" : "Primary.QueryInterface other");
        if (m_owner.Script().listener != DS_OK)
            return m_owner.Script().listener;
        *object = static_cast<IDirectSound3DListener*>(new FakeListener(m_owner));
        return DS_OK;
    }
    DWORD Release() override
    {
        m_owner.Record("Release primary");
        delete this;
        return 0;
    }
    HRESULT GetStatus(DWORD* status) override
    {
        m_owner.Record("Primary.GetStatus");
        *status = m_owner.Script().primaryStatus;
        return m_owner.Script().status;
    }
    HRESULT GetCurrentPosition(DWORD*, DWORD*) override { return Unexpected("GetCurrentPosition"); }
    HRESULT Lock(DWORD, DWORD, void**, DWORD*, void**, DWORD*, DWORD) override { return Unexpected("Lock"); }
    HRESULT Unlock(void*, DWORD, void*, DWORD) override { return Unexpected("Unlock"); }
    HRESULT Play(DWORD, DWORD, DWORD) override { return Unexpected("Play"); }
    HRESULT Stop() override { return Unexpected("Stop"); }
    HRESULT SetCurrentPosition(DWORD) override { return Unexpected("SetCurrentPosition"); }
    HRESULT SetFormat(const WAVEFORMATEX* f) override
    {
        std::ostringstream text;
        text << "Primary.SetFormat " << f->wFormatTag << ' ' << f->nChannels << ' ' << f->nSamplesPerSec << ' '
             << f->nAvgBytesPerSec << ' ' << f->nBlockAlign << ' ' << f->wBitsPerSample << ' ' << f->cbSize;
        m_owner.Record(text.str());
        return m_owner.Script().format;
    }
    HRESULT SetVolume(std::int32_t) override { return Unexpected("SetVolume"); }
    HRESULT SetFrequency(DWORD) override { return Unexpected("SetFrequency"); }
    HRESULT Restore() override
    {
        m_owner.Record("Primary.Restore");
        return DS_OK;
    }

private:
    HRESULT Unexpected(const std::string& name)
    {
        m_owner.Record("Primary." + name);
        return DSERR_INVALIDCALL;
    }

    SoundFakeDevice& m_owner;
};

class FakeDevice : public IDirectSound
{
public:
    explicit FakeDevice(SoundFakeDevice& owner) : m_owner(owner) {}
    DWORD Release() override
    {
        m_owner.Record("Release device");
        delete this;
        return 0;
    }
    HRESULT SetCooperativeLevel(HWND, DWORD level) override
    {
        m_owner.Record("SetCooperativeLevel " + std::to_string(level));
        return m_owner.Script().cooperativeLevel;
    }
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void*) override
    {
        std::ostringstream text;
        text << "CreateSoundBuffer size " << desc->dwSize << " flags " << desc->dwFlags << " bytes "
             << desc->dwBufferBytes << (desc->lpwfxFormat ? " format" : " no format");
        m_owner.Record(text.str());
        if (!(desc->dwFlags & DSBCAPS_PRIMARYBUFFER))
            return DSERR_UNSUPPORTED;
        if (m_owner.Script().primaryBuffer != DS_OK)
            return m_owner.Script().primaryBuffer;
        *buffer = new FakePrimary(m_owner);
        return DS_OK;
    }
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer*, IDirectSoundBuffer**) override
    {
        m_owner.Record("DuplicateSoundBuffer");
        return DSERR_UNSUPPORTED;
    }

private:
    SoundFakeDevice& m_owner;
};
}

SoundFakeDevice::SoundFakeDevice(const SoundFakeScript& script) : m_script(script)
{
    Platform::SetDirectSoundFactory([this](IDirectSound** device) {
        Record("DirectSoundCreate");
        if (m_script.create != DS_OK)
            return m_script.create;
        *device = new FakeDevice(*this);
        return DS_OK;
    });
}

SoundFakeDevice::~SoundFakeDevice() { Platform::SetDirectSoundFactory(nullptr); }

void SoundFakeDevice::Record(const std::string& call)
{
    EngineCallJournal::Note("sound " + call);
    m_calls.push_back(call);
}
}
