// korvane-datagen: makes every generated file of the game's data set, deterministically (fixed seeds, no
// clock, no locale), and packs the tree.
//   korvane-datagen --src data-src --out build/data-stage [--pack build/data/pack0.pak] [--only group]...
//   korvane-datagen --preview-text "text" [--font name] [--lang en] --out picture.bmp
//   korvane-datagen --contact-sheet ui --out sheet.bmp
#include "engine/core/Error.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataGenerator.h"
#include "tools/datagen/content/ContactSheet.h"
#include "tools/datagen/content/FontSamples.h"
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
                 "       korvane-datagen --contact-sheet ui [--fonts <folder>] --out <picture.bmp|picture.tga>\n");
    return 2;
}

struct Preview
{
    std::string text;
    std::string font;
    std::string language = "en";
    std::string contactSheet; // the area whose art goes on one sheet
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
        else if (option == "--contact-sheet")
            preview.contactSheet = value;
        else
            return false;
    }
    return !options.stageFolder.empty() || !options.packPath.empty();
}

void WritePreview(const KorvaneTools::GeneratorOptions& options, const Preview& preview)
{
    if (!preview.contactSheet.empty() && preview.contactSheet != "ui")
        throw KorvaneTools::DataError("no contact sheet of \"" + preview.contactSheet + "\": only \"ui\"");
    const KorvaneTools::RgbaPicture picture =
        preview.contactSheet.empty()
            ? KorvaneTools::PreviewFonts(options.fontFolder, preview.text, preview.font, preview.language)
            : KorvaneTools::UiContactSheet(options.fontFolder);
    const std::string& path = options.stageFolder;
    const bool tga = path.size() > 4 && path.substr(path.size() - 4) == ".tga";
    const std::string bytes = tga ? KorvaneTools::WriteTga(picture) : KorvaneTools::WriteBmp(picture);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw KorvaneTools::DataError("cannot write \"" + path + "\"");
}

int Run(const KorvaneTools::GeneratorOptions& options, const Preview& preview)
{
    if (!preview.text.empty() || !preview.contactSheet.empty())
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
