// Reading and checking the level map file.
#include "game/app/MapFile.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "framework/BinaryDataFile.h"
#include "framework/LevelManagerBase.h"

#include <algorithm>
#include <cmath>

namespace Korvane
{
using VelkorEngine::FileError;
using VelkorEngine::u64;

namespace
{
[[noreturn]] void Fail(const std::string& path)
{
    throw FileError("Incorrect \"" + path + "\" file format");
}

bool IsKnownType(u32 type)
{
    return type <= static_cast<u32>(MapElementType::Path);
}

// A marker placed at no number is drawn nowhere and can never be clicked: its level could not be started.
bool IsPlacedAtNumbers(const std::array<f32, 16>& matrix)
{
    return std::all_of(matrix.begin(), matrix.end(), [](f32 value) { return std::isfinite(value); });
}

u32 TotalLevelCount(const GameFramework::LevelManagerBase& levels)
{
    u32 total = 0;
    for (u32 stage = 0; stage < levels.GetStageCount(); ++stage)
        total += levels.GetLevelCount(stage);
    return total;
}

void CheckAgainstLevels(const std::vector<MapElementRecord>& elements, const GameFramework::LevelManagerBase& levels,
                        const std::string& path)
{
    if (elements.size() != TotalLevelCount(levels))
        Fail(path);
    for (const MapElementRecord& element : elements)
        if (levels.GetLevel(element.stage, element.level) == nullptr)
            Fail(path);
}
}

void MapFile::NumberElements(std::vector<MapElementRecord>& elements)
{
    u32 stage = 0;
    u32 level = 0;
    for (MapElementRecord& element : elements)
    {
        if (element.type == MapElementType::CheckPoint)
        {
            ++stage;
            level = 0;
        }
        element.stage = stage;
        element.level = level++;
    }
}

std::vector<MapElementRecord> MapFile::Read(VelkorEngine::FileManager* fileManager,
                                            const GameFramework::LevelManagerBase& levels, const std::string& path)
{
    GameTools::BinaryDataFile dataFile(fileManager, Magic, Version);
    dataFile.Open(path, 0);
    VelkorEngine::FileBinary& file = *dataFile.GetFile();
    if (file.GetSize() < HeaderSize + 4)
        Fail(path);
    u32 count = 0;
    file.ReadDword(count);
    if (static_cast<u64>(file.GetSize()) != HeaderSize + 4 + static_cast<u64>(count) * ElementSize)
        Fail(path);
    std::vector<MapElementRecord> elements(count);
    for (MapElementRecord& element : elements)
    {
        u32 type = 0;
        file.ReadDword(type);
        if (!IsKnownType(type))
            Fail(path);
        element.type = static_cast<MapElementType>(type);
        file.Read(element.matrix.data(), sizeof(element.matrix));
        if (!IsPlacedAtNumbers(element.matrix))
            Fail(path);
    }
    dataFile.Close();
    NumberElements(elements);
    CheckAgainstLevels(elements, levels, path);
    return elements;
}
}
