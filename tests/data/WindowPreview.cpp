// Software pictures of window descriptions.
#include "tests/data/WindowPreview.h"

#include "tests/data/DataStageFiles.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/content/MapLayout.h"
#include "tools/datagen/content/MenuBackground.h"
#include "tools/datagen/content/UiArt.h"
#include "tools/datagen/image/Painter.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace DataTest
{
using GameTools::XMLNode;
using KorvaneTools::Colour;
using KorvaneTools::Painter;
using KorvaneTools::RgbaPicture;

namespace
{
// What the code writes into labels the descriptions leave empty, by the label's own name.
const std::map<std::string, std::string>& Samples()
{
    static const std::map<std::string, std::string> samples = {
        {"level", "1-3"},     {"score", "999999"},   {"text_1", "12500"},   {"your_time", "1:15"},
        {"ace_time", "1:30"}, {"time_bonus", "300"}, {"best_time", "1:02"}, {"place", "10."},
        {"text", "x 3"},      {"title", "Bob"},      {"video_mode_text", "1024x768"},
        // The longest name a name box takes, in capitals, beside the six-digit score above.
        {"name", "BARTHOLOMEW FEATHERSTONE"}};
    return samples;
}

std::string LastPart(const std::string& name)
{
    return name.substr(name.rfind('/') + 1);
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::vector<std::string> Lines(const std::string& text, const std::string& face, unsigned size, float width, bool wrap)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string paragraph; std::getline(in, paragraph);)
    {
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.pop_back();
        if (!wrap)
        {
            lines.push_back(paragraph);
            continue;
        }
        std::string line;
        for (const std::string& word : Words(paragraph))
        {
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && Painter::TextWidth(face, size, longer) > width)
            {
                lines.push_back(line);
                line = word;
            }
            else
                line = longer;
        }
        lines.push_back(line);
    }
    return lines;
}

Colour ColourOf(const std::array<float, 4>& rgba)
{
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

// The picture's pixel under a GUI point of the box, texture coordinates over one net frame.
void Stretch(RgbaPicture& screen, const RgbaPicture& picture, unsigned column, unsigned row, unsigned columns,
             unsigned rows, const Box& box)
{
    Painter painter(screen);
    const float frameWidth = float(picture.width) / float(columns), frameHeight = float(picture.height) / float(rows);
    const int left = int(std::floor(box.left)), right = int(std::ceil(box.Right()));
    const int top = int(std::floor(ScreenHeight - box.Top())), bottom = int(std::ceil(ScreenHeight - box.bottom));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            const float u = (float(x) + 0.5f - box.left) / box.width, v = (float(y) + 0.5f - (ScreenHeight - box.Top())) / box.height;
            if (u < 0 || u >= 1 || v < 0 || v >= 1)
                continue;
            const unsigned px = std::min(picture.width - 1, unsigned(float(column) * frameWidth + u * frameWidth));
            const unsigned py = std::min(picture.height - 1, unsigned(float(row) * frameHeight + v * frameHeight));
            const auto* p = picture.At(px, py);
            painter.Blend(x, y, Colour{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1}, p[3] / 255.0f);
        }
}
}

WindowPreview::WindowPreview(const WindowDescriptions& descriptions, const std::string& fontFolder)
    : m_descriptions(descriptions), m_fontFolder(fontFolder), m_pictures(KorvaneTools::UiPictures(fontFolder)),
      m_texts(KorvaneTools::ReadTextFile(StageFile("ui/texts/default_texts.xml"), "default_texts.xml"))
{
    for (KorvaneTools::MenuPicture& picture : KorvaneTools::BackgroundPictures())
        m_pictures.push_back(std::move(picture));
    // Net sizes as the resource list gives them.
    std::map<std::string, std::pair<unsigned, unsigned>> nets;
    const std::unique_ptr<XMLNode> list = KorvaneTools::ParseDataXml(StageFile("ui/resources_additional.xml"), "list");
    std::vector<XMLNode*> groups, shaders;
    list->GetChildren(groups);
    for (const XMLNode* group : groups)
    {
        group->GetChildrenByName("shader", shaders);
        for (const XMLNode* shader : shaders)
            if (shader->HasAttribute("net_size"))
            {
                const auto size = ReadNumbers(KorvaneTools::AttributeText(*shader, "net_size"));
                nets["ui/" + KorvaneTools::AttributeText(*shader, "name")] = {unsigned(size[0]), unsigned(size[1])};
            }
    }
    for (const KorvaneTools::MenuPicture& picture : m_pictures)
    {
        const std::string file = LastPart(picture.path);
        const std::string name = "ui/" + file.substr(0, file.rfind('.'));
        const auto net = nets.find(name);
        m_art[name] = {&picture.picture, net == nets.end() ? 1u : net->second.first,
                       net == nets.end() ? 1u : net->second.second};
    }
}

std::pair<std::string, unsigned> WindowPreview::Face(const std::string& font) const
{
    for (const KorvaneTools::GameFont& gameFont : KorvaneTools::GameFonts())
        if (font == gameFont.name)
            for (const KorvaneTools::GlyphTable& table : KorvaneTools::GlyphTables())
                if (std::string(table.name) == gameFont.table)
                    return {m_fontFolder + "/" + table.faceFile, table.cellHeight};
    return {m_fontFolder + "/DejaVuSans.ttf", 18};
}

std::string WindowPreview::LabelText(const BuiltControl& control, const std::string& language) const
{
    const std::string markup = control.AttributeOr("text", "");
    if (markup.empty())
    {
        const std::string own = LastPart(control.fullName);
        std::string key = own;
        if (control.fullName.find("/video_mode/text") != std::string::npos)
            key = "video_mode_text";
        else if (control.fullName.find("/level/text_1") != std::string::npos)
            key = "level";
        const auto sample = Samples().find(key);
        return sample == Samples().end() ? "" : sample->second;
    }
    std::string text;
    std::stringstream pieces(markup);
    for (std::string piece; std::getline(pieces, piece, '+');)
    {
        const size_t open = piece.rfind('['), close = piece.rfind(']');
        if (open != std::string::npos && close != std::string::npos && open < close)
            piece.erase(open, close - open + 1);
        if (piece.size() >= 2 && (piece.front() == '\'' || piece.front() == '"'))
            text += piece.substr(1, piece.size() - 2);
        else if (m_texts.count(piece) && m_texts.at(piece).count(language))
            text += m_texts.at(piece).at(language);
        else
            text += "UNKNOWN";
    }
    // The longest name the edit boxes take stands in for a player's name.
    const size_t at = text.find("%PROFILE_NAME%");
    if (at != std::string::npos)
        text.replace(at, 14, "Wilhelmina");
    return text;
}

void WindowPreview::DrawArt(RgbaPicture& screen, const std::string& name, const Box& box) const
{
    const auto art = m_art.find("ui/" + name);
    if (art != m_art.end())
        Stretch(screen, *art->second.picture, 0, 0, art->second.columns, art->second.rows, box);
}

void WindowPreview::DrawText(RgbaPicture& screen, const BuiltControl& control, const std::string& text) const
{
    const std::string font = control.AttributeOr("font", "");
    const auto [face, size] = Face(font);
    Colour colour = ColourOf(ReadNumbers(control.AttributeOr("color", "1 1 1 1")));
    for (const KorvaneTools::GameFont& gameFont : KorvaneTools::GameFonts())
        if (font == gameFont.name)
        {
            const Colour tint = Colour::Hex(gameFont.tint);
            colour = {colour.r * tint.r, colour.g * tint.g, colour.b * tint.b, colour.a};
        }
    const bool multiline = control.AttributeOr("multiline", "0") == "1";
    const std::vector<std::string> lines = Lines(text, face, size, control.box.width, multiline);
    const float lineHeight = float(size);
    const float blockHeight = lineHeight * float(lines.size());
    const std::string alignH = control.AttributeOr("alignment_h", "left");
    const std::string alignV = control.AttributeOr("alignment_v", "bottom");
    float top = ScreenHeight - control.box.Top(); // picture rows, down
    if (alignV.find("bottom") != std::string::npos)
        top += control.box.height - blockHeight;
    else if (alignV.find("top") == std::string::npos)
        top += (control.box.height - blockHeight) / 2;
    Painter painter(screen);
    for (size_t i = 0; i < lines.size(); ++i)
    {
        const float width = Painter::TextWidth(face, size, lines[i]);
        float left = control.box.left;
        if (alignH.find("right") != std::string::npos)
            left += control.box.width - width;
        else if (alignH.find("left") == std::string::npos)
            left += (control.box.width - width) / 2;
        painter.Text(face, size, lines[i], left, top + lineHeight * float(i) + lineHeight * 0.78f, colour);
    }
}

void WindowPreview::DrawControl(RgbaPicture& screen, const BuiltControl& control, const std::string& language) const
{
    const std::string shader = control.AttributeOr("shader", "");
    const std::string model = control.AttributeOr("model", "");
    if (model == "title_mount")
        DrawArt(screen, "title_mount", {control.box.left - 300, control.box.bottom - 40, 600, 80});
    else if (!shader.empty())
        DrawArt(screen, shader, control.box);
    if (control.fullName == "window_start_game_logic/window")
        for (size_t i = 0; i < KorvaneTools::MapMarkerSpots.size(); ++i)
        {
            const auto& spot = KorvaneTools::MapMarkerSpots[i];
            const char* kind = i == 0 ? "map_start" : i + 1 == KorvaneTools::MapMarkerSpots.size() ? "map_finish" : i == 5 ? "map_check_point" : "map_path";
            const float w = i == 0 ? 24.f : i == 9 ? 24.f : i == 5 ? 24.f : 16.f, h = i == 0 ? 32.f : i == 9 ? 28.f : i == 5 ? 30.f : 10.f;
            DrawArt(screen, kind, {control.box.left + spot.x - w / 2, control.box.bottom + spot.y - h / 2, w, h});
        }
    if (control.kind == "scroll")
    {
        const auto thumb = ReadNumbers(control.AttributeOr("toddler_size", "0 0"));
        const auto at = ReadNumbers(control.AttributeOr("toddler_min_position", "0 0"));
        DrawArt(screen, control.AttributeOr("toddler_shader", ""), {control.box.left + at[0], control.box.bottom + at[1], thumb[0], thumb[1]});
        for (const char* button : {"increase_button_", "decrease_button_"})
        {
            const auto size = ReadNumbers(control.AttributeOr(std::string(button) + "size", "0 0"));
            const auto place = ReadNumbers(control.AttributeOr(std::string(button) + "position", "0 0"));
            DrawArt(screen, control.AttributeOr(std::string(button) + "shader", ""),
                    {control.box.left + place[0], control.box.bottom + place[1], size[0], size[1]});
        }
    }
    if (control.kind == "edit_box")
    {
        BuiltControl typed = control;
        const auto offset = ReadNumbers(control.AttributeOr("text_offset", "0 0"));
        typed.box = {control.box.left + offset[0], control.box.bottom, control.box.width - offset[0], control.box.height};
        DrawText(screen, typed, "Wilhelmina_");
    }
    if (control.kind == "text_label")
        DrawText(screen, control, LabelText(control, language));
}

RgbaPicture WindowPreview::Draw(const std::string& window, const std::string& language) const
{
    RgbaPicture screen(800, 600);
    Painter painter(screen);
    painter.Fill(Colour::Hex(0x000000));
    if (window != "window_game_logic" && window.find("loading") == std::string::npos)
    {
        DrawArt(screen, "sky", {0, 0, 800, 600});
        DrawArt(screen, "castle", {0, 0, 800, 400});
        DrawArt(screen, "fog", {-100, 40, 1000, 160});
        DrawArt(screen, "banner", {20, 200, 70, 380});
        DrawArt(screen, "banner", {710, 200, 70, 380});
    }
    else if (window == "window_game_logic")
        painter.Fill(Colour::Hex(0x4F6B3A));
    std::vector<std::string> faults;
    std::vector<BuiltControl> controls = m_descriptions.Build(window, faults);
    // Farther first: depth grows with each level's height.
    std::vector<std::pair<float, size_t>> order;
    std::vector<float> depth(controls.size(), 0);
    for (size_t i = 0; i < controls.size(); ++i)
    {
        const float own = std::stof(controls[i].AttributeOr("height", "1"));
        depth[i] = (controls[i].parent < 0 ? 0 : depth[size_t(controls[i].parent)]) + own;
        order.push_back({depth[i], i});
    }
    std::stable_sort(order.begin(), order.end());
    for (const auto& entry : order)
        if (controls[entry.second].fullName.find("/no_records") == std::string::npos) // shown only instead of rows
            DrawControl(screen, controls[entry.second], language);
    return screen;
}
}
