// Field file writer and reader.
#include "tools/formats/FieldFileWriter.h"

#include "tools/formats/ByteReader.h"
#include "tools/formats/ByteWriter.h"

namespace KorvaneTools
{
using VelkorEngine::u32;

std::string WriteFieldFile(const std::vector<FieldZone>& zones)
{
    ByteWriter out("KRKRF", 100);
    out.Put(static_cast<u32>(zones.size()));
    for (const FieldZone& zone : zones)
    {
        out.PutFloats(zone.minimum.data(), 3);
        out.PutFloats(zone.maximum.data(), 3);
        out.PutFloats(zone.placement.data(), 16);
    }
    return out.Finish();
}

std::vector<FieldZone> ReadFieldFile(const std::string& bytes)
{
    ByteReader in(bytes);
    in.ReadHeader("KRKRF", 100);
    const auto count = in.Get<u32>();
    if (in.Remaining() != static_cast<VelkorEngine::u64>(count) * FieldZoneRecordSize)
        throw FormatError("zone count " + std::to_string(count) + " does not match the file length");
    std::vector<FieldZone> zones(count);
    for (FieldZone& zone : zones)
    {
        in.GetFloats(zone.minimum.data(), 3);
        in.GetFloats(zone.maximum.data(), 3);
        in.GetFloats(zone.placement.data(), 16);
    }
    return zones;
}
}
