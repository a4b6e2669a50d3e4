// Test packs through the pack writer.
#include "tests/support/PackTestSupport.h"

#include "tests/support/TempFolder.h"
#include "tools/pak/PackWriter.h"

namespace TestSupport
{
void WriteTestPack(const std::string& path, const PackContents& entries)
{
    std::vector<KorvaneTools::PackEntry> packEntries;
    for (const auto& [name, bytes] : entries)
        packEntries.push_back({name, std::vector<VelkorEngine::u8>(bytes.begin(), bytes.end())});
    KorvaneTools::WritePack(path, packEntries);
}

std::string PackBytes(const PackContents& entries)
{
    TempFolder folder;
    WriteTestPack(folder / "pack.pak", entries);
    return folder.ReadFile("pack.pak");
}
}
