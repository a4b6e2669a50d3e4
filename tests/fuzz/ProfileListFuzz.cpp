// libFuzzer target over the profile list reader: whatever the file holds, the manager ends with a list file
// that a second start reads without changing it.
#include "framework/GameSoundPlayer.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/fuzz/FuzzBed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static GameFramework::GameSoundPlayer player(&FuzzBed::Engine(), 1.0f, 1.0f);
    FuzzBed::WriteInput("profiles.pmf", data, size);
    {
        FrameworkTest::TestProfileManager manager(&FuzzBed::Engine(), &player, FuzzBed::Folder());
    }
    const std::string settled = FuzzBed::ReadBack("profiles.pmf");
    {
        FrameworkTest::TestProfileManager manager(&FuzzBed::Engine(), &player, FuzzBed::Folder());
    }
    if (FuzzBed::ReadBack("profiles.pmf") != settled)
        __builtin_trap();
    return 0;
}
