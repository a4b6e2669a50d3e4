// Runs the generator's groups into a stage and writes the loose tree and the pack. Everything is made in
// memory first; a DataError from any group stops the run before a single file is written.
#pragma once

#include "tools/datagen/DataStage.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorOptions
{
    std::string sourceFolder = "data-src";
    std::string fontFolder = "/usr/share/fonts/truetype/dejavu";
    std::string stageFolder;  // empty: no loose tree
    std::string packPath;     // empty: no pack
    std::vector<std::string> onlyGroups; // empty: every group
};

class DataGenerator
{
public:
    explicit DataGenerator(GeneratorOptions options);

    // Runs the chosen groups; throws DataError naming the file and key at fault.
    const DataStage& Generate();
    // Writes what Generate made: the loose tree (stage folder) and the pack, each put in place whole.
    void Write() const;

private:
    bool Wanted(const std::string& group) const;

    GeneratorOptions m_options;
    DataStage m_stage;
};
}
