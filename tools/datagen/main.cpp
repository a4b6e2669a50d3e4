// korvane-datagen: makes every generated file of the game's data set, deterministically (fixed seeds, no
// clock, no locale), and packs the tree.
//   korvane-datagen --src data-src --out build/data-stage [--pack build/data/pack0.pak] [--only group]...
//   korvane-datagen --preview-text "text" [--font name] [--lang en] --out picture.bmp
//   korvane-datagen --top-view SS_LL --out picture.bmp      (a level seen from above)
//   korvane-datagen --contact-sheet play --out picture.bmp  (every play object)
//   korvane-datagen --contact-sheet ui --out picture.bmp    (every piece of GUI art)
//   korvane-datagen --game-view SS_LL --out picture.bmp     (a level from the game's camera)
#include "engine/core/Error.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataGenerator.h"
#include "tools/datagen/content/ContactSheet.h"
#include "tools/datagen/content/FontSamples.h"
#include "tools/datagen/content/GameView.h"
#include "tools/datagen/content/Levels.h"
#include "tools/datagen/play/ContactSheet.h"
#include "tools/formats/ImageWriters.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

namespace
{
int Usage()
{
    std::fprintf(stderr,
                 "usage: korvane-datagen --src <data-src> --out <stage folder> [--pack <pack file>]\n"
                 "                       [--fonts <folder>] [--only <group>]...\n"
                 "       korvane-datagen --preview-text <text> [--font <name>] [--lang <language>]\n"
                 "                       [--fonts <folder>] --out <picture.bmp|picture.tga>\n"
                 "       korvane-datagen --top-view <level, e.g. 01_04> --out <picture.bmp|picture.tga>\n"
                 "       korvane-datagen --contact-sheet <play|ui> [--fonts <folder>] --out <picture.bmp|picture.tga>\n"
                 "       korvane-datagen --game-view <level> --out <picture.bmp|picture.tga>\n");
    return 2;
}

struct Preview
{
    std::string text;
    std::string font;
    std::string language = "en";
    std::string topView;
    std::string contactSheet;
    std::string gameView;
};

// Reads the options; false when they make no sense.
bool ParseOptions(int argc, char** argv, KorvaneTools::GeneratorOptions& options, Preview& preview)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (option == "--src")
            options.sourceFolder = value;
        else if (option == "--out")
            options.stageFolder = value;
        else if (option == "--pack")
            options.packPath = value;
        else if (option == "--fonts")
            options.fontFolder = value;
        else if (option == "--only")
            options.onlyGroups.push_back(value);
        else if (option == "--preview-text")
            preview.text = value;
        else if (option == "--font")
            preview.font = value;
        else if (option == "--lang")
            preview.language = value;
        else if (option == "--top-view")
            preview.topView = value;
        else if (option == "--contact-sheet")
            preview.contactSheet = value;
        else if (option == "--game-view")
            preview.gameView = value;
        else
            return false;
    }
    return !options.stageFolder.empty() || !options.packPath.empty();
}

void WritePicture(const std::string& path, const KorvaneTools::RgbaPicture& picture)
{
    const bool tga = path.size() > 4 && path.substr(path.size() - 4) == ".tga";
    const std::string bytes = tga ? KorvaneTools::WriteTga(picture) : KorvaneTools::WriteBmp(picture);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw KorvaneTools::DataError("cannot write \"" + path + "\"");
}

void WritePreview(const KorvaneTools::GeneratorOptions& options, const Preview& preview)
{
    if (!preview.topView.empty())
        WritePicture(options.stageFolder, KorvaneTools::LevelTopView(KorvaneTools::BuildLevel(preview.topView)));
    else if (!preview.gameView.empty())
        WritePicture(options.stageFolder, KorvaneTools::GameView(preview.gameView));
    else if (preview.contactSheet == "ui")
        WritePicture(options.stageFolder, KorvaneTools::UiContactSheet(options.fontFolder));
    else if (!preview.contactSheet.empty())
        WritePicture(options.stageFolder, KorvaneTools::ContactSheet(preview.contactSheet));
    else
        WritePicture(options.stageFolder, KorvaneTools::PreviewFonts(options.fontFolder, preview.text, preview.font,
                                                                     preview.language));
}

int Run(const KorvaneTools::GeneratorOptions& options, const Preview& preview)
{
    if (!preview.text.empty() || !preview.topView.empty() || !preview.contactSheet.empty() ||
        !preview.gameView.empty())
    {
        WritePreview(options, preview);
        return 0;
    }
    KorvaneTools::DataGenerator generator(options);
    const KorvaneTools::DataStage& stage = generator.Generate();
    generator.Write();
    std::printf("korvane-datagen: %zu files\n", stage.Files().size());
    return 0;
}
}

int main(int argc, char** argv)
{
    KorvaneTools::GeneratorOptions options;
    Preview preview;
    if (!ParseOptions(argc, argv, options, preview))
        return Usage();
    try
    {
        return Run(options, preview);
    }
    catch (const VelkorEngine::Error& error)
    {
        std::fprintf(stderr, "korvane-datagen: error: %s\n", error.GetMessage().c_str());
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "korvane-datagen: error: %s\n", error.what());
    }
    return 1;
}
