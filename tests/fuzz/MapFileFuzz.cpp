// libFuzzer target over the level map reader: a map it accepts names every level of the list once, in order,
// with a kind the map knows and a placement that is a number.
#include "engine/core/Error.h"
#include "game/app/MapFile.h"
#include "game/play/LevelManager.h"
#include "tests/fuzz/FuzzBed.h"

#include <cmath>
#include <memory>

namespace
{
// The generated data set's shape: two stages of five levels.
const Korvane::LevelManager& Levels()
{
    static const std::unique_ptr<Korvane::LevelManager> levels = [] {
        const std::string stage = "<stage environment=\"yard\"><level/><level/><level/><level/><level/></stage>";
        FuzzBed::Bed().folder.WriteFile("data/levels/levels.xml", "<levels>" + stage + stage + "</levels>");
        return std::make_unique<Korvane::LevelManager>(&FuzzBed::Engine());
    }();
    return *levels;
}

void CheckAccepted(const std::vector<Korvane::MapElementRecord>& elements)
{
    if (elements.size() != 10)
        __builtin_trap();
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        const Korvane::MapElementRecord& element = elements[i];
        if (element.stage != i / 5 || element.level != i % 5 || element.type > Korvane::MapElementType::Path)
            __builtin_trap();
        for (float value : element.matrix)
            if (!std::isfinite(value))
                __builtin_trap();
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Korvane::LevelManager& levels = Levels();
    FuzzBed::WriteInput("data/ui/map/map.gmf", data, size);
    try
    {
        CheckAccepted(Korvane::MapFile::Read(FuzzBed::Engine().GetFileManager(), levels));
    }
    catch (const VelkorEngine::FileError&)
    {
    }
    return 0;
}
