// A picture of a window description as a player would see it once every control has appeared: the
// generated GUI art drawn into each control's box (first frame of a net), texts in their fonts' faces and
// colours, sample values where the code fills a text in. Drawn in software, so layouts can be looked at
// without the game.
#pragma once

#include "tests/data/WindowDescriptions.h"
#include "tools/datagen/content/MenuPictures.h"
#include "tools/datagen/content/Texts.h"

#include <map>
#include <string>

namespace DataTest
{
class WindowPreview
{
public:
    WindowPreview(const WindowDescriptions& descriptions, const std::string& fontFolder);

    KorvaneTools::RgbaPicture Draw(const std::string& window, const std::string& language) const;

    // The text a label shows in a language: its markup resolved, or a sample of what the code puts there.
    std::string LabelText(const BuiltControl& control, const std::string& language) const;
    // Face file and pixel size of a font name.
    std::pair<std::string, unsigned> Face(const std::string& font) const;

private:
    struct Art
    {
        const KorvaneTools::RgbaPicture* picture;
        unsigned columns = 1;
        unsigned rows = 1;
    };

    void DrawControl(KorvaneTools::RgbaPicture& screen, const BuiltControl& control, const std::string& language) const;
    void DrawArt(KorvaneTools::RgbaPicture& screen, const std::string& name, const Box& box) const;
    void DrawText(KorvaneTools::RgbaPicture& screen, const BuiltControl& control, const std::string& text) const;

    const WindowDescriptions& m_descriptions;
    std::string m_fontFolder;
    std::vector<KorvaneTools::MenuPicture> m_pictures;
    std::map<std::string, Art> m_art; // by "ui/" name
    KorvaneTools::TextTable m_texts;
};
}
