// libFuzzer target over the field file reader: a file it accepts gives bounds that hold every zone.
#include "engine/core/Error.h"
#include "game/play/GameField.h"
#include "tests/fuzz/FuzzBed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBed::WriteInput("data/environment/field.krf", data, size);
    try
    {
        const Korvane::GameField field(&FuzzBed::Engine(), "field.krf");
        if (size != 17 + field.GetZones().size() * Korvane::GameField::ZoneSize)
            __builtin_trap();
    }
    catch (const VelkorEngine::FileError&)
    {
    }
    return 0;
}
