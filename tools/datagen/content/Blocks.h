// The blocks: a model per kind (origin at the bottom centre), box collision models for the round and barred
// kinds, the pieces each kind breaks into, ten common rock chunks and the skins, all below
// game_objects/blocks. The descriptions themselves are hand-written XML beside them.
#pragma once

#include "tools/datagen/play/ContactSheet.h"
#include "tools/datagen/play/Mesh.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext;

Mesh BlockModel(const std::string& kind);
// The pieces of a kind, in the block's own frame.
std::vector<Mesh> BlockFragments(const std::string& kind);
// Kinds whose model is not a good collider get a box of their size.
bool HasCollisionBox(const std::string& kind);
Mesh CommonFragment(unsigned index);

std::vector<SheetItem> BlockSheetItems();

// Writes every block file; throws DataError when a description's fragment count or collision flag disagrees
// with the meshes made here.
void GenerateBlocks(GeneratorContext& context);
}
