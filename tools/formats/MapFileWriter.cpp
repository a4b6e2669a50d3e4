// Level map file writer and reader.
#include "tools/formats/MapFileWriter.h"

#include "tools/formats/ByteReader.h"
#include "tools/formats/ByteWriter.h"

namespace KorvaneTools
{
using VelkorEngine::u32;

std::string WriteMapFile(const std::vector<MapElement>& elements)
{
    ByteWriter out("GFGMF", 100);
    out.Put(static_cast<u32>(elements.size()));
    for (const MapElement& element : elements)
    {
        out.Put(static_cast<u32>(element.type));
        out.PutFloats(element.placement.data(), 16);
    }
    return out.Finish();
}

std::vector<MapElement> ReadMapFile(const std::string& bytes)
{
    ByteReader in(bytes);
    in.ReadHeader("GFGMF", 100);
    const auto count = in.Get<u32>();
    if (in.Remaining() != static_cast<VelkorEngine::u64>(count) * MapElementRecordSize)
        throw FormatError("element count " + std::to_string(count) + " does not match the file length");
    std::vector<MapElement> elements(count);
    for (MapElement& element : elements)
    {
        const auto type = in.Get<u32>();
        if (type > static_cast<u32>(MapElementType::Path))
            throw FormatError("unknown map element type " + std::to_string(type));
        element.type = static_cast<MapElementType>(type);
        in.GetFloats(element.placement.data(), 16);
    }
    return elements;
}
}
