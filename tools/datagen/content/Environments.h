// The two stages' surroundings: courtyard (stage 1) and crypt (stage 2). Field floor and walls coincide with
// the field's zones; nothing stands between the camera and the field; everything stays in the camera's
// reach. The environment descriptions and their resource lists are hand-written beside the models.
#pragma once

#include "tools/datagen/play/Mesh.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext;

struct SceneryModel
{
    std::string name; // "courtyard/walls"
    std::vector<Mesh> frames;
    float speed = 0.0f;
    std::string texture; // below data/
    bool culled = true;
    std::string opacity; // "32bit", a picture path, or ""
};

std::vector<SceneryModel> SceneryModels(const std::string& environment);

void GenerateEnvironments(GeneratorContext& context);
}
