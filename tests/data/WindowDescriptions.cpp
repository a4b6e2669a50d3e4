// Window descriptions read and built as the game's window base does.
#include "tests/data/WindowDescriptions.h"

#include "engine/files/XMLSelect.h"
#include "guitools/GUIDescriptionChain.h"
#include "tests/data/DataStageFiles.h"
#include "tests/support/XMLTestSupport.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataXml.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace DataTest
{
using GameTools::XMLNode;
using GUITools::GUIDescriptionChain;
using KorvaneTools::AttributeText;
using XMLTestSupport::Children;

bool Box::Overlaps(const Box& other) const
{
    return left < other.Right() && other.left < Right() && bottom < other.Top() && other.bottom < Top();
}

bool Box::Inside(float screenWidth, float screenHeight) const
{
    return left >= 0 && bottom >= 0 && Right() <= screenWidth && Top() <= screenHeight;
}

std::optional<std::string> BuiltControl::Attribute(const std::string& name) const
{
    GameTools::XMLValue* value = GUIDescriptionChain::Attribute(chain, name);
    if (value == nullptr)
        return std::nullopt;
    return KorvaneTools::ValueText(*value);
}

std::string BuiltControl::AttributeOr(const std::string& name, const std::string& fallback) const
{
    return Attribute(name).value_or(fallback);
}

std::array<float, 4> ReadNumbers(const std::string& text)
{
    std::array<float, 4> numbers{};
    size_t count = 0;
    size_t at = 0;
    const auto partOfNumber = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'; };
    while (at < text.size() && count < numbers.size())
    {
        while (at < text.size() && !partOfNumber(text[at]))
            ++at;
        const size_t start = at;
        while (at < text.size() && partOfNumber(text[at]))
            ++at;
        if (at > start)
            numbers[count++] = std::stof(text.substr(start, at - start));
    }
    return numbers;
}

bool IsControlKind(const std::string& kind)
{
    static const std::set<std::string> kinds = {"window", "button", "check_box", "edit_box",
                                                "slider", "scroll", "text_label"};
    return kinds.count(kind) != 0;
}

WindowDescriptions::WindowDescriptions() : m_root(std::make_unique<XMLNode>())
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KORVANE_DATA_STAGE) + "/ui/windows"))
        if (entry.path().extension() == ".xml")
            files.push_back("ui/windows/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    std::set<std::string> names;
    for (const std::string& file : files)
    {
        try
        {
            std::unique_ptr<XMLNode> top = KorvaneTools::ParseDataXml(StageFile(file), file);
            const std::string name = top->GetName() == "faders" ? "faders" : AttributeText(*top, "name");
            if (name.empty() || !names.insert(name).second)
                m_loadFaults.push_back(file + ": top element without a name or with a name already taken: " + name);
            m_root->AddChild(top.release());
        }
        catch (const KorvaneTools::DataError& error)
        {
            m_loadFaults.push_back(error.what());
        }
    }
}

std::vector<std::string> WindowDescriptions::WindowNames() const
{
    std::vector<std::string> names;
    for (const XMLNode* top : Children(*m_root))
    {
        const std::string name = AttributeText(*top, "name");
        if (name.rfind("window_", 0) == 0)
            names.push_back(name);
    }
    return names;
}

const XMLNode* WindowDescriptions::Fader(const std::string& name) const
{
    return GameTools::XMLSelectNode(m_root.get(), "/faders/fader[name='" + name + "']");
}

void WindowDescriptions::Resolve(const GUIDescriptionChain::Chain& roots, const std::string& name,
                                 GUIDescriptionChain::Chain& chain, std::vector<std::string>& faults) const
{
    const std::string cycle = GUIDescriptionChain::Resolve(m_root.get(), roots, name, chain);
    if (!cycle.empty())
        faults.push_back("template cycle at " + cycle);
    // The game passes over a template that names nothing; the data must not rely on that.
    for (const XMLNode* node : chain)
        if (node->HasAttribute("template"))
        {
            const std::string templateName = AttributeText(*node, "template");
            if (GUIDescriptionChain::Find(m_root.get(), templateName) == nullptr)
                faults.push_back("unknown template " + templateName + " of " + name);
        }
}

void WindowDescriptions::BuildControl(const GUIDescriptionChain::Chain& roots, const std::string& name,
                                      const std::string& prefix, int parent, std::vector<BuiltControl>& built,
                                      std::vector<std::string>& faults) const
{
    BuiltControl control;
    Resolve(roots, name, control.chain, faults);
    if (control.chain.empty())
    {
        faults.push_back("no description named " + name);
        return;
    }
    control.kind = control.chain.front()->GetName();
    if (control.kind == "fader")
        return;
    if (control.Attribute("language").value_or("en") != "en")
        return;
    control.fullName = prefix.empty() ? name : prefix + "/" + name;
    if (!IsControlKind(control.kind))
        faults.push_back(control.fullName + ": unknown control type " + control.kind);
    const std::optional<std::string> fader = control.Attribute("fader");
    if (fader && Fader(*fader) == nullptr)
        faults.push_back(control.fullName + ": unknown fader " + *fader);
    control.parent = parent;
    const std::array<float, 4> position = ReadNumbers(control.AttributeOr("position", "0 0"));
    const std::array<float, 4> size = ReadNumbers(control.AttributeOr("size", "1 1"));
    const Box origin = parent < 0 ? Box{} : built[static_cast<size_t>(parent)].box;
    control.box = {origin.left + position[0], origin.bottom + position[1], size[0], size[1]};

    const GUIDescriptionChain::Children children = GUIDescriptionChain::CollectChildren(control.chain);
    for (const std::string& kind : children.unnamedKinds)
        faults.push_back(control.fullName + ": child " + kind + " without a name");
    const GUIDescriptionChain::Chain chain = control.chain;
    const std::string fullName = control.fullName;
    built.push_back(std::move(control));
    const int index = static_cast<int>(built.size()) - 1;
    for (const std::string& childName : children.names)
        BuildControl(chain, childName, fullName, index, built, faults);
}

std::vector<BuiltControl> WindowDescriptions::Build(const std::string& windowName,
                                                    std::vector<std::string>& faults) const
{
    std::vector<BuiltControl> built;
    BuildControl({m_root.get()}, windowName, "", -1, built, faults);
    return built;
}

const WindowDescriptions& Descriptions()
{
    static const WindowDescriptions descriptions;
    return descriptions;
}
}
