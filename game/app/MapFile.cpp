// Reading and checking the level map file.
#include "game/app/MapFile.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "framework/BinaryDataFile.h"
#include "framework/LevelManagerBase.h"

#include <algorithm>
#include <cmath>
#include <string>

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

std::string Levels(u32 count)
{
    return std::to_string(count) + (count == 1 ? " level" : " levels");
}

// Either file may be the damaged one, so a disagreement names both and what differs: the totals, else the first
// stage whose marker count is not the list's level count.
[[noreturn]] void FailAgainstLevels(const std::string& path, const std::string& difference)
{
    throw FileError("\"" + path + "\" does not match the level list \"" +
                    GameFramework::LevelManagerBase::FileName + "\": " + difference);
}

void CheckAgainstLevels(const std::vector<MapElementRecord>& elements, const GameFramework::LevelManagerBase& levels,
                        const std::string& path)
{
    if (elements.size() != TotalLevelCount(levels))
        FailAgainstLevels(path, "the map holds " + Levels(static_cast<u32>(elements.size())) + ", the list " +
                                    Levels(TotalLevelCount(levels)));
    std::vector<u32> markers;
    for (const MapElementRecord& element : elements)
    {
        if (element.stage >= markers.size())
            markers.resize(element.stage + 1, 0);
        ++markers[element.stage];
    }
    for (u32 stage = 0; stage < std::max(static_cast<u32>(markers.size()), levels.GetStageCount()); ++stage)
    {
        const u32 placed = stage < markers.size() ? markers[stage] : 0;
        if (placed != levels.GetLevelCount(stage))
            FailAgainstLevels(path, "the map holds " + Levels(placed) + " in stage " + std::to_string(stage + 1) +
                                        ", the list " + Levels(levels.GetLevelCount(stage)));
    }
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
