// The ten kinds of block: their description names, sizes (the model's box, origin at the bottom centre) and
// skins, shared by the block models and the level builder so the two always agree.
#pragma once

#include <string>
#include <vector>

namespace KorvaneTools
{
struct BlockKind
{
    const char* name;     // description file name and the level objects' block name
    float width;          // x
    float depth;          // y
    float height;         // z
    const char* skin;     // first texture, below game_objects/blocks/textures
    const char* opacity;  // second texture ("" for none)
    bool breakable;       // counts towards the blocks that end a level
    bool unbreakable;     // strength 0
};

const std::vector<BlockKind>& BlockKinds();
// Throws DataError for an unknown name.
const BlockKind& FindBlockKind(const std::string& name);
}
