// korvane_pak: packs folders of an installation into a pack file, or appends such a pack to an executable.
//   korvane_pak create <pack file> <installation folder> <folder>...
//   korvane_pak append <executable> <installation folder> <folder>...
#include "engine/core/Error.h"
#include "tools/pak/PackWriter.h"

#include <cstdio>
#include <exception>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
int Usage()
{
    std::fprintf(stderr, "usage: korvane_pak create <pack file> <installation folder> <folder>...\n"
                         "       korvane_pak append <executable> <installation folder> <folder>...\n");
    return 2;
}

std::vector<KorvaneTools::PackEntry> Collect(int argc, char** argv)
{
    std::vector<KorvaneTools::PackEntry> entries;
    for (int i = 4; i < argc; ++i)
    {
        std::vector<KorvaneTools::PackEntry> part = KorvaneTools::CollectFolder(argv[3], argv[i]);
        entries.insert(entries.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
    }
    return entries;
}
}

int main(int argc, char** argv)
{
    if (argc < 5)
        return Usage();
    const std::string command = argv[1];
    const std::string target = argv[2];
    try
    {
        if (command == "create")
        {
            KorvaneTools::WritePack(target, Collect(argc, argv));
            return 0;
        }
        if (command == "append")
        {
            const std::string packPath = target + ".pak-" + std::to_string(::getpid());
            KorvaneTools::WritePack(packPath, Collect(argc, argv));
            KorvaneTools::AppendPack(target, packPath);
            std::remove(packPath.c_str());
            return 0;
        }
    }
    catch (const VelkorEngine::Error& error)
    {
        std::fprintf(stderr, "korvane_pak: %s\n", error.GetMessage().c_str());
        return 1;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "korvane_pak: %s\n", error.what());
        return 1;
    }
    return Usage();
}
