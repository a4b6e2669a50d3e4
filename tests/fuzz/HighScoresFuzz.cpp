// libFuzzer target over the high-score reader: whatever the file holds, the table ends with a file that a
// second start reads without changing it, and every entry it lists can be reached by its index.
#include "framework/HighScoresTable.h"
#include "tests/fuzz/FuzzBed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBed::WriteInput("high_scores.hsf", data, size);
    {
        GameFramework::HighScoresTable table(&FuzzBed::Engine(), 10, FuzzBed::Folder());
        for (VelkorEngine::u32 i = 0; i < table.GetCount(0); ++i)
            if (!table.GetEntry(0, i))
                __builtin_trap();
    }
    const std::string settled = FuzzBed::ReadBack("high_scores.hsf");
    {
        GameFramework::HighScoresTable table(&FuzzBed::Engine(), 10, FuzzBed::Folder());
    }
    if (FuzzBed::ReadBack("high_scores.hsf") != settled)
        __builtin_trap();
    return 0;
}
