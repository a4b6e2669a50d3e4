// The play objects below game_objects: balls, the bat and its pieces, the eleven bonuses, both guns with
// their bolts, the hammer, the rope barrier, the flares, the particle systems and their textures.
#pragma once

#include "tools/datagen/play/ContactSheet.h"
#include "tools/datagen/play/Mesh.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext;

// Every model file made here (path below data/) with its frames: one mesh for a static model.
struct PlayModel
{
    std::string path;
    std::vector<Mesh> frames;
    float speed = 0.0f;
    std::string texture; // below data/
    bool culled = true;  // thin two-sided parts (pennants) are drawn from both sides
};

std::vector<PlayModel> PlayModels();
std::vector<SheetItem> PlayObjectSheetItems();

void GeneratePlayObjects(GeneratorContext& context);
}
