// The sound system on a recording fake device: set-up steps and their log lines, failure at every step,
// the listener, the per-frame refresh, result reports and the volume-to-attenuation rule.
#include "engine/core/Error.h"
#include "engine/sound/SoundSystem_DS7.h"

#include "tests/support/SoundTestDevice.h"
#include "tests/support/SoundTestWorld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace VelkorEngine;
using TestSupport::SoundFakeDevice;
using TestSupport::SoundFakeScript;

namespace
{
using Lines = std::vector<std::string>;

const Lines SetUpLines = {"\nInitialization of DirectSound Subsystem:", "...Creating a device...",
                          "...Set cooperative level...", "...Create primary buffer...", "...Set primary buffer format..."};
const Lines ReleaseLines = {"DirectSound system destroying:", "...Releasing 3D listener...",
                            "...Releasing primary buffer...", "...Releasing device..."};
const std::string PrimaryFormat = "Primary.SetFormat 1 2 22050 88200 4 16 0";

Lines Join(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class SoundSystemDS7 : public ::testing::Test
{
protected:
    std::unique_ptr<SoundSystem_DS7> Make(u8 use3D)
    {
        return std::make_unique<SoundSystem_DS7>(m_world.Log(), m_world.Files(), nullptr, nullptr, nullptr, use3D);
    }

    TestSupport::SoundTestWorld m_world;
};
}

TEST_F(SoundSystemDS7, SetsUpTheDeviceWithoutThreeD)
{
    SoundFakeDevice device;
    auto system = Make(0);
    EXPECT_EQ(m_world.Lines(), Join({SetUpLines, {""}}));
    EXPECT_EQ(device.Calls(), (Lines{"DirectSoundCreate", "SetCooperativeLevel 2",
                                     "CreateSoundBuffer size 36 flags 129 bytes 0 no format", PrimaryFormat}));
    EXPECT_EQ(system->GetUse3DSound(), 0);
    EXPECT_EQ(system->GetListenerFront().z, -1.0f);
    EXPECT_EQ(system->GetListenerTop().y, 1.0f);
    EXPECT_EQ(system->GetListenerPosition().x, 0.0f);
    device.ClearCalls();
    m_world.ClearLog();
    system.reset();
    EXPECT_EQ(m_world.Lines(), (Lines{ReleaseLines[0], ReleaseLines[2], ReleaseLines[3]}));
    EXPECT_EQ(device.Calls(), (Lines{"Release primary", "Release device"}));
}

TEST_F(SoundSystemDS7, SetsUpTheListenerWithThreeD)
{
    SoundFakeDevice device;
    auto system = Make(1);
    EXPECT_EQ(m_world.Lines(), Join({SetUpLines, {"...Get the 3D listener from the primary buffer...", ""}}));
    EXPECT_EQ(device.Calls(),
              (Lines{"DirectSoundCreate", "SetCooperativeLevel 2", "CreateSoundBuffer size 36 flags 145 bytes 0 no format",
                     PrimaryFormat, "Primary.QueryInterface listener", "Listener.SetPosition 0 0 0 1",
                     "Listener.SetOrientation 0 0 -1 0 1 0 1"}));
    EXPECT_EQ(system->GetUse3DSound(), 1);
    device.ClearCalls();
    system.reset();
    EXPECT_EQ(device.Calls(), (Lines{"Release listener", "Release primary", "Release device"}));
}

TEST_F(SoundSystemDS7, ListenerFailureOnlyTurnsThreeDOff)
{
    SoundFakeScript script;
    script.listener = DSERR_NOINTERFACE;
    SoundFakeDevice device(script);
    auto system = Make(1);
    EXPECT_EQ(system->GetUse3DSound(), 0);
    EXPECT_EQ(m_world.Errors(), Lines{"Failed to get the 3D listener from the primary buffer"});
    device.ClearCalls();
    system->SetListenerPosition(Vector3(1.0f, 2.0f, 3.0f));
    system->Refresh();
    EXPECT_EQ(device.Calls(), Lines{"Primary.GetStatus"});
    EXPECT_EQ(system->GetListenerPosition().y, 2.0f);
}

TEST_F(SoundSystemDS7, EachSetUpFailureReleasesWhatExistsAndThrowsAnEmptyError)
{
    struct Case
    {
        HRESULT SoundFakeScript::*step;
        std::string error;
        std::size_t progressLines;
        Lines released;
    };
    const Case cases[] = {
        {&SoundFakeScript::create, "Failed to create a device", 2, {}},
        {&SoundFakeScript::cooperativeLevel, "Failed to set cooperative level", 3, {"Release device"}},
        {&SoundFakeScript::primaryBuffer, "Failed to create primary buffer", 4, {"Release device"}},
        {&SoundFakeScript::format, "Failed to set primary buffer format", 5, {"Release primary", "Release device"}},
    };
    for (const Case& c : cases)
    {
        m_world.ClearLog();
        SoundFakeScript script;
        script.*c.step = DSERR_NODRIVER;
        SoundFakeDevice device(script);
        try
        {
            Make(1);
            ADD_FAILURE() << c.error;
        }
        catch (const Error& error)
        {
            EXPECT_EQ(error.GetMessage(), "");
        }
        Lines expected(SetUpLines.begin(), SetUpLines.begin() + static_cast<std::ptrdiff_t>(c.progressLines));
        expected.push_back("E:" + c.error);
        expected.push_back(ReleaseLines[0]);
        if (c.released.size() == 2)
            expected.push_back(ReleaseLines[2]);
        if (!c.released.empty())
            expected.push_back(ReleaseLines[3]);
        EXPECT_EQ(m_world.Lines(), expected) << c.error;
        Lines releases;
        for (const std::string& call : device.Calls())
            if (call.rfind("Release", 0) == 0)
                releases.push_back(call);
        EXPECT_EQ(releases, c.released) << c.error;
    }
}

TEST_F(SoundSystemDS7, RefreshRestoresOnlyALostPrimaryAndCommitsTheListener)
{
    SoundFakeDevice device;
    auto system = Make(1);
    struct Case
    {
        DWORD status;
        Lines calls;
    };
    const Case cases[] = {
        {0, {"Primary.GetStatus", "Listener.CommitDeferredSettings"}},
        {2, {"Primary.GetStatus", "Primary.Restore", "Listener.CommitDeferredSettings"}},
        {3, {"Primary.GetStatus", "Listener.CommitDeferredSettings"}},
        {1, {"Primary.GetStatus", "Listener.CommitDeferredSettings"}},
    };
    for (const Case& c : cases)
    {
        device.Script().primaryStatus = c.status;
        device.ClearCalls();
        system->Refresh();
        EXPECT_EQ(device.Calls(), c.calls) << c.status;
    }
    EXPECT_TRUE(m_world.Errors().empty());

    device.Script().status = DSERR_GENERIC;
    device.Script().commit = S_FALSE;
    system->Refresh();
    EXPECT_EQ(m_world.Errors(),
              (Lines{"DirectSound Subsystem (SoundSystem_DS7::Refresh): An undetermined error occurred inside the DirectSound subsystem.",
                     "DirectSound Subsystem (SoundSystem_DS7::Refresh): Unknown error (Code: 1)"}));
}

TEST_F(SoundSystemDS7, ListenerChangesAreDeferred)
{
    SoundFakeDevice device;
    auto system = Make(1);
    device.ClearCalls();
    system->SetListenerPosition(Vector3(1.0f, 2.0f, 3.0f));
    system->SetListenerOrientation(Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(device.Calls(), (Lines{"Listener.SetPosition 1 2 3 1", "Listener.SetOrientation 1 0 0 0 0 1 1"}));
    EXPECT_EQ(system->GetListenerFront().x, 1.0f);
    EXPECT_EQ(system->GetListenerTop().z, 1.0f);
    system->Reset();
    EXPECT_EQ(system->GetListenerPosition().z, 0.0f);
    EXPECT_EQ(system->GetListenerFront().z, -1.0f);
}

TEST_F(SoundSystemDS7, CheckResultTexts)
{
    SoundFakeDevice device;
    auto system = Make(0);
    m_world.ClearLog();
    struct Case
    {
        HRESULT result;
        std::string text;
    };
    const Case cases[] = {
        {1, "Unknown error (Code: 1)"},
        {static_cast<HRESULT>(0x80004003u), "Unknown error (Code: -2147467261)"},
        {DSERR_INVALIDPARAM, "An invalid parameter was passed to the returning function."},
        {DSERR_BADFORMAT, "The specified wave format is not supported."},
        {DSERR_CONTROLUNAVAIL, "The buffer control (volume, pan, and so on) requested by the caller is not available."},
        {DSERR_OUTOFMEMORY, "The DirectSound subsystem could not allocate sufficient memory to complete the caller's request."},
        {DSERR_UNINITIALIZED, "The IDirectSound::Initialize method has not been called or has not been called successfully before other methods were called."},
        {DSERR_OTHERAPPHASPRIO, "Another application has a higher priority level, preventing this call from succeeding."},
        {DSERR_ACCESSDENIED, "The request failed because access was denied."},
    };
    Lines expected;
    system->CheckResult("Here", DS_OK);
    for (const Case& c : cases)
    {
        system->CheckResult("Here", c.result);
        expected.push_back("DirectSound Subsystem (Here): " + c.text);
    }
    EXPECT_EQ(m_world.Errors(), expected);
}

TEST(SoundVolumeToAttenuation, HundredthsOfADecibel)
{
    struct Case
    {
        f32 volume;
        i32 attenuation;
    };
    const Case cases[] = {{0.0f, -10000}, {0.00009f, -10000}, {-1.0f, -10000}, {0.0001f, -9210}, {0.01f, -4605},
                          {0.1f, -2302},  {0.5f, -693},       {1.0f, 0},       {2.0f, 693}};
    for (const Case& c : cases)
        EXPECT_EQ(VolumeToAttenuation(c.volume), c.attenuation) << c.volume;
    EXPECT_EQ(VolumeToAttenuation(std::numeric_limits<f32>::quiet_NaN()), -10000);
    EXPECT_GT(VolumeToAttenuation(std::numeric_limits<f32>::infinity()), 0);
}
