// How the nodes of window descriptions combine into one control: the nodes called by the control's name under
// the search roots, each followed by its chain of templates (found among the top descriptions); an attribute
// comes from the first node of the chain that has it, and the control's children are those that any node of
// the chain names, in the order they are first named. Faults come back to the caller, so that a window being
// built can end the program with them and a checker of the data can list them all.
#pragma once

#include <string>
#include <vector>

namespace GameTools
{
class XMLNode;
class XMLValue;
}

namespace GUITools
{
class GUIDescriptionChain
{
public:
    using Chain = std::vector<GameTools::XMLNode*>;

    struct Children
    {
        std::vector<std::string> names;
        // The element names of children without a name, which cannot be built.
        std::vector<std::string> unnamedKinds;
    };

    // The description called name directly under searchRoot, or null.
    static GameTools::XMLNode* Find(GameTools::XMLNode* searchRoot, const std::string& name);
    // Appends the nodes called name under each search root, each followed by its chain of templates found
    // under root. A template met again on its own way down would repeat for ever: the resolution stops and
    // the name it was met under is returned; an empty text when there is no cycle. A template that names no
    // description adds nothing.
    static std::string Resolve(GameTools::XMLNode* root, const Chain& searchRoots, const std::string& name,
                               Chain& chain);
    // The value from the first node of the chain that has the attribute, or null.
    static GameTools::XMLValue* Attribute(const Chain& chain, const std::string& name);
    static Children CollectChildren(const Chain& chain);

private:
    static bool ResolveDown(GameTools::XMLNode* root, const Chain& searchRoots, const std::string& name,
                            Chain& chain, Chain& descent, std::string& cycle);
};
}
