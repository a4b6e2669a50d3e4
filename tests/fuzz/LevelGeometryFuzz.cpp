// libFuzzer target over the level geometry reader: the header check and the body. A file it accepts must hold
// nothing the game could trip over later: texture and block indices in range, the key frames it promises.
#include "engine/core/Error.h"
#include "framework/BinaryDataFile.h"
#include "game/play/LevelGeometryFile.h"
#include "tests/fuzz/FuzzBed.h"

using Korvane::LevelGeometryFile;

namespace
{
void CheckAccepted(const Korvane::LevelGeometry& level)
{
    for (const Korvane::GeometryObjectRecord& object : level.objects)
    {
        const bool texturesInRange =
            object.firstTexture < level.textures.size() && object.secondTexture < level.textures.size();
        const bool framesPromised = object.keyFrames.size() == 1 || object.keyFrames.size() == level.keyFrameCount;
        if (!texturesInRange || !framesPromised)
            __builtin_trap();
        for (const auto* list : {&object.supports, &object.dependents})
            for (VelkorEngine::u16 index : *list)
                if (index >= level.objects.size())
                    __builtin_trap();
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBed::WriteInput("data/levels_geometry/00_00.krg", data, size);
    const std::string path = std::string(LevelGeometryFile::Folder) + "00_00.krg";
    try
    {
        GameTools::BinaryDataFile file(&FuzzBed::Engine(), LevelGeometryFile::Magic, LevelGeometryFile::Version);
        file.Open(path, 0);
        CheckAccepted(LevelGeometryFile::ReadBody(*file.GetFile(), path));
    }
    catch (const VelkorEngine::FileError&)
    {
    }
    return 0;
}
