// The generator's run: groups in order, then the stage folder and the pack.
#include "tools/datagen/DataGenerator.h"

#include "tools/datagen/DataError.h"
#include "tools/datagen/GeneratorGroup.h"

#include <algorithm>
#include <filesystem>

namespace KorvaneTools
{
DataGenerator::DataGenerator(GeneratorOptions options) : m_options(std::move(options))
{
    for (const std::string& name : m_options.onlyGroups)
    {
        const auto& groups = GeneratorGroups();
        if (std::none_of(groups.begin(), groups.end(), [&](const GeneratorGroup& g) { return name == g.name; }))
            throw DataError("unknown group \"" + name + "\"");
    }
}

const DataStage& DataGenerator::Generate()
{
    GeneratorContext context{m_options.sourceFolder, m_options.fontFolder, m_stage};
    for (const GeneratorGroup& group : GeneratorGroups())
        if (Wanted(group.name))
            group.generate(context);
    return m_stage;
}

void DataGenerator::Write() const
{
    if (!m_options.stageFolder.empty())
        m_stage.WriteFolder(m_options.stageFolder);
    if (!m_options.packPath.empty())
    {
        const std::filesystem::path pack(m_options.packPath);
        if (pack.has_parent_path())
            std::filesystem::create_directories(pack.parent_path());
        // The pack writer writes beside the name and renames when complete.
        WritePack(m_options.packPath, m_stage.PackEntries());
    }
}

bool DataGenerator::Wanted(const std::string& group) const
{
    // The hand-written tree is always copied: the other groups check their output against it.
    const auto& only = m_options.onlyGroups;
    return only.empty() || group == "sources" || std::find(only.begin(), only.end(), group) != only.end();
}
}
