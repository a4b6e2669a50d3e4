// Writes the smoke scene's data folder under an installation folder: engine_smoke_data <installation folder>
#include "tests/support/EngineSmokeData.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: engine_smoke_data <installation folder>\n");
        return 2;
    }
    try
    {
        TestSupport::WriteEngineSmokeData(argv[1]);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "engine_smoke_data: %s\n", error.what());
        return 1;
    }
    return 0;
}
