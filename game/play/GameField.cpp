// The field file's zones, and the field's bounds around them.
#include "game/play/GameField.h"

#include "engine/core/Error.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"
#include "engine/files/FileBinary.h"
#include "framework/BinaryDataFile.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr f32 kEmptyFieldReach = 200.0f;
constexpr f32 kHeightReach = 1000.0f;

Vector3 ReadVector(FileBinary& file)
{
    f32 values[3];
    file.Read(values, sizeof(values));
    return Vector3(values[0], values[1], values[2]);
}
}

GameField::GameField(std::vector<BoundingVolume> zones) : m_zones(std::move(zones))
{
    ComputeBounds();
}

GameField::GameField(Engine* engine, const std::string& fileName) : GameField(ReadFile(engine, fileName))
{
}

std::vector<BoundingVolume> GameField::ReadFile(Engine* engine, const std::string& fileName)
{
    const std::string path = Folder + fileName;
    GameTools::BinaryDataFile file(engine, Magic, FileVersion);
    file.Open(path, 0);
    return ReadZones(*file.GetFile(), path);
}

std::vector<BoundingVolume> GameField::ReadZones(FileBinary& file, const std::string& path)
{
    const auto fail = [&]() { return FileError("Incorrect \"" + path + "\" file format"); };
    if (file.GetSize() - file.GetPosition() < sizeof(u32))
        throw fail();
    u32 count = 0;
    file.Read(&count, sizeof(count));
    // The count is trusted only when the zones it names fill the rest of the file exactly.
    const u32 remaining = file.GetSize() - file.GetPosition();
    if (remaining % ZoneSize != 0 || count != remaining / ZoneSize)
        throw fail();
    std::vector<BoundingVolume> zones(count);
    for (BoundingVolume& zone : zones)
    {
        const Vector3 first = ReadVector(file);
        const Vector3 second = ReadVector(file);
        Matrix4 transform;
        file.Read(transform.m, sizeof(transform.m));
        zone.SetBox(first, second);
        zone.SetTransform(transform);
    }
    return zones;
}

void GameField::ComputeBounds()
{
    if (m_zones.empty())
    {
        m_bounds.SetBox(Vector3(-kEmptyFieldReach), Vector3(kEmptyFieldReach));
        return;
    }
    BoundingVolume merged = m_zones.front();
    for (const BoundingVolume& zone : m_zones)
        merged.Merge(zone);
    const Vector3& low = merged.GetWorldMinimum();
    const Vector3& high = merged.GetWorldMaximum();
    m_bounds.SetBox(Vector3(low.x, low.y - DepthBelowWalls, -kHeightReach), Vector3(high.x, high.y, kHeightReach));
}
}
