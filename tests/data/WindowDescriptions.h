// Every window description of the staged tree under one root, and the control tree the game builds from one
// of them, its templates resolved by the window base's own description chain (the node, then its template
// chain; an attribute from the first node that has it; children the node names first, then those only a
// template adds).
#pragma once

#include "engine/files/XMLNode.h"
#include "guitools/GUIDescriptionChain.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace DataTest
{
// The GUI screen the descriptions place their controls on.
constexpr float ScreenWidth = 800;
constexpr float ScreenHeight = 600;

struct Box
{
    float left = 0, bottom = 0, width = 0, height = 0;

    float Right() const { return left + width; }
    float Top() const { return bottom + height; }
    bool Overlaps(const Box& other) const;
    bool Inside(float screenWidth, float screenHeight) const;
};

struct BuiltControl
{
    std::string fullName;
    std::string kind; // element name of the first chain node
    GUITools::GUIDescriptionChain::Chain chain;
    int parent = -1; // index in the built list, -1 for the top element
    Box box;         // absolute, GUI units

    std::optional<std::string> Attribute(const std::string& name) const;
    std::string AttributeOr(const std::string& name, const std::string& fallback) const;
};

// Two or four numbers separated by anything that is not a letter, digit, sign or point; missing ones are 0.
std::array<float, 4> ReadNumbers(const std::string& text);

class WindowDescriptions
{
public:
    // Reads every ui/windows/*.xml of the staged tree; a file that does not parse is recorded as a fault.
    WindowDescriptions();

    // Builds the named description; faults (unknown kind, child without a name, unknown template) are
    // appended to faults.
    std::vector<BuiltControl> Build(const std::string& windowName, std::vector<std::string>& faults) const;

    // Names of the top elements that are windows (every top element except templates and the faders).
    std::vector<std::string> WindowNames() const;
    const GameTools::XMLNode* Fader(const std::string& name) const;
    // "file: fault" for files that failed to parse or hold a name already taken.
    const std::vector<std::string>& LoadFaults() const { return m_loadFaults; }
    const GameTools::XMLNode& Root() const { return *m_root; }

private:
    void Resolve(const GUITools::GUIDescriptionChain::Chain& roots, const std::string& name,
                 GUITools::GUIDescriptionChain::Chain& chain, std::vector<std::string>& faults) const;
    void BuildControl(const GUITools::GUIDescriptionChain::Chain& roots, const std::string& name,
                      const std::string& prefix, int parent, std::vector<BuiltControl>& built,
                      std::vector<std::string>& faults) const;

    std::unique_ptr<GameTools::XMLNode> m_root;
    std::vector<std::string> m_loadFaults;
};

// The staged tree's descriptions, read at the first call and kept for the program's length.
const WindowDescriptions& Descriptions();

// The seven element names that make controls.
bool IsControlKind(const std::string& kind);
}
