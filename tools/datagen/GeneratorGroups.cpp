// The generator's groups in their fixed order: the hand-written tree first, so later groups can read it.
#include "tools/datagen/GeneratorGroup.h"

#include "tools/datagen/content/Blocks.h"
#include "tools/datagen/content/Environments.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/content/Levels.h"
#include "tools/datagen/content/MenuBackground.h"
#include "tools/datagen/content/Music.h"
#include "tools/datagen/content/Pictures.h"
#include "tools/datagen/content/PlayObjects.h"
#include "tools/datagen/content/Sounds.h"
#include "tools/datagen/content/SourceFiles.h"
#include "tools/datagen/content/Texts.h"
#include "tools/datagen/content/UiArt.h"

namespace KorvaneTools
{
const std::vector<GeneratorGroup>& GeneratorGroups()
{
    static const std::vector<GeneratorGroup> groups = {
        {"sources", GenerateSourceFiles},
        {"fonts", GenerateFonts},
        {"texts", GenerateTexts},
        {"audio", GenerateSounds},
        {"music", GenerateMusic},
        {"pictures", GeneratePictures},
        {"levels", GenerateLevels},
        {"blocks", GenerateBlocks},
        {"play_objects", GeneratePlayObjects},
        {"environments", GenerateEnvironments},
        {"ui", GenerateUiArt},
        {"background", GenerateMenuBackground},
    };
    return groups;
}
}
