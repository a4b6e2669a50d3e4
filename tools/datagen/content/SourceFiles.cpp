// Copies data-src into the stage.
#include "tools/datagen/content/SourceFiles.h"

#include "tools/datagen/GeneratorGroup.h"

namespace KorvaneTools
{
void GenerateSourceFiles(GeneratorContext& context)
{
    context.stage.AddSourceTree(context.sourceFolder);
}
}
