// One area of the data set (fonts, texts, sounds, ...): a name for --only and the function that adds its
// files to the stage. Groups run in the fixed order of GeneratorGroups().
#pragma once

#include "tools/datagen/DataStage.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext
{
    std::string sourceFolder; // data-src
    std::string fontFolder;   // where the DejaVu faces are installed
    DataStage& stage;
};

struct GeneratorGroup
{
    const char* name;
    void (*generate)(GeneratorContext& context);
};

// Every group, in the order they run. A new area adds its own file under content/ and one line here.
const std::vector<GeneratorGroup>& GeneratorGroups();
}
