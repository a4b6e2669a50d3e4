// A program with a pack appended after linking: prints how many packs its file manager found and one file's bytes.
//   files_appended_pack_probe <installation folder> <file name>
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace VelkorEngine;
    if (argc < 3)
        return 2;
    MessageManager log("Probe", 0, 0, "", "");
    FileManager files(&log, argv[1], "Data");
    try
    {
        auto file = files.OpenBinary(argv[2], FileBinary::ForReading, FileBinary::ReadAsNeeded);
        std::string bytes(file->GetSize(), '\0');
        file->Read(bytes.data(), file->GetSize());
        std::printf("%u %s", files.GetPackCount(), bytes.c_str());
    }
    catch (const FileError& error)
    {
        std::printf("%u %s", files.GetPackCount(), error.GetMessage().c_str());
    }
    return 0;
}
