// The block kinds' table.
#include "tools/datagen/play/BlockKinds.h"

#include "tools/datagen/DataError.h"

namespace KorvaneTools
{
const std::vector<BlockKind>& BlockKinds()
{
    // Ball keepers and irons do not count: the level ends when the breakable ones are gone.
    static const std::vector<BlockKind> kinds = {
        {"brick", 12, 6, 6, "brick.jpg", "", true, false},
        {"granite", 12, 6, 6, "granite0.jpg", "", true, false},
        {"iron", 12, 6, 6, "iron.jpg", "", false, true},
        {"ghost", 12, 6, 6, "ghost.jpg", "ghost_alpha.jpg", true, false},
        {"powder", 8, 8, 7, "powder.jpg", "", true, false},
        {"cage", 12, 6, 8, "cage.jpg", "", false, false},
        {"vault", 12, 6, 8, "vault.jpg", "", false, false},
        {"pillar", 6, 6, 12, "pillar.jpg", "", true, false},
        {"slab", 32, 6, 3, "slab.jpg", "", true, false},
        {"rune", 12, 6, 6, "rune0.jpg", "", true, false},
    };
    return kinds;
}

const BlockKind& FindBlockKind(const std::string& name)
{
    for (const BlockKind& kind : BlockKinds())
        if (name == kind.name)
            return kind;
    throw DataError("unknown block kind \"" + name + "\"");
}
}
