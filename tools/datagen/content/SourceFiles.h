// The hand-written part of the data set: data-src copied into the stage as it stands.
#pragma once

namespace KorvaneTools
{
struct GeneratorContext;

void GenerateSourceFiles(GeneratorContext& context);
}
