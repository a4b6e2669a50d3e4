// The pictures the game reads directly, without a resource list: the window icon, the cursor and the
// publisher's logos.
#pragma once

namespace KorvaneTools
{
struct GeneratorContext;

void GeneratePictures(GeneratorContext& context);
}
