// libFuzzer target over the profile reader: a bad file is refused with an error, and a profile it accepts
// saves a file that loads again.
#include "engine/core/Error.h"
#include "framework/ProfileBase.h"
#include "tests/fuzz/FuzzBed.h"

namespace
{
std::unique_ptr<GameFramework::ProfileBase> LoadProfile()
{
    auto profile = std::make_unique<GameFramework::ProfileBase>(&FuzzBed::Engine(), FuzzBed::Folder(), "KRPRF", 102);
    profile->Load("fuzz.prf");
    return profile;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBed::WriteInput("profiles/fuzz.prf", data, size);
    std::unique_ptr<GameFramework::ProfileBase> profile;
    try
    {
        profile = LoadProfile();
    }
    catch (const VelkorEngine::Error&)
    {
        return 0;
    }
    profile->Save();
    try
    {
        const auto again = LoadProfile();
        if (again->score != profile->score || again->GetBestTimes().size() != profile->GetBestTimes().size())
            __builtin_trap();
    }
    catch (const VelkorEngine::Error&)
    {
        __builtin_trap();
    }
    return 0;
}
