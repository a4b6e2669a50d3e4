// A window built from its XML description: a tree of controls under one engine widget, each control found
// by its full name ("window/panel/title"). A description may inherit attributes and children from named
// templates, take opacity fades from named faders and hold controls for one language only. The game's
// windows that have a layout derive from it.
#pragma once

#include "guitools/ControlModelDescription.h"

#include <memory>
#include <string>
#include <vector>

namespace GameTools
{
class XMLNode;
class XMLValue;
}

namespace VelkorEngine
{
class Engine;
class FileManager;
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIManager;
class GUIScroll;
class GUIWindow;
class MessageManager;
class ModelManager;
}

namespace GUITools
{
class GUIButtonControl;
class GUICheckBoxControl;
class GUIControl;
class GUIEditBoxControl;
class GUIFontTool;
class GUIResources;
class GUIScrollControl;
class GUISliderControl;
class GUITextControl;
class GUITextTool;
class GUIToolManager;
class GUIWindowControl;

class GUIWindowBase
{
public:
    using Chain = std::vector<GameTools::XMLNode*>;
    // Far beyond any window of the game; a description past them is refused.
    static constexpr std::size_t MaxExpansionDepth = 64;
    static constexpr std::size_t MaxExpansionControls = 4096;

    // Builds the whole window from the description called name; the window starts hidden. What a
    // description says wrongly ends the program through the log's Fatal.
    GUIWindowBase(VelkorEngine::Engine* engine, GUIResources* resources, GUIToolManager* toolManager,
                  VelkorEngine::GUIWindow* parentWidget, const std::string& name);
    virtual ~GUIWindowBase();

    GUIWindowBase(const GUIWindowBase&) = delete;
    GUIWindowBase& operator=(const GUIWindowBase&) = delete;

    // One frame of every control; the window's widget hides once no enabled control is shown any more.
    virtual void Update();
    // Starts every enabled control's show or hide action.
    virtual void Show(bool show);
    virtual bool IsShown() const;
    // The window is on screen and every enabled control has finished its show: nothing moves or fades in any
    // more, and each control takes the mouse where it stays.
    bool IsShowFinished() const;

    // By full name; an unknown name is logged as an error and gives null.
    GUITextControl* GetTextControl(const std::string& name) const;
    GUIScrollControl* GetScrollControl(const std::string& name) const;
    GUIEditBoxControl* GetEditBoxControl(const std::string& name) const;
    GUICheckBoxControl* GetCheckBoxControl(const std::string& name) const;
    GUIButtonControl* GetButtonControl(const std::string& name) const;
    GUIWindowControl* GetWindowControl(const std::string& name) const;
    GUIControl* GetControl(const std::string& name) const;

    VelkorEngine::GUIScroll* GetScroll(const std::string& name) const;
    VelkorEngine::GUIEditBox* GetEditBox(const std::string& name) const;
    VelkorEngine::GUICheckBox* GetCheckBox(const std::string& name) const;
    VelkorEngine::GUIButton* GetButton(const std::string& name) const;

    // Without logging.
    bool HasTextControl(const std::string& name) const;
    bool HasWindowControl(const std::string& name) const;

    // A disabled control is hidden at once and left out of the window's shows until enabled again.
    void EnableControl(const std::string& name, bool enable);
    void SetControlEnabled(GUIControl* control, bool enable);

    const std::string& GetName() const { return m_name; }
    VelkorEngine::GUIWindow* GetWindow() const { return m_window; }
    // In creation order: a control before its children.
    const std::vector<std::unique_ptr<GUIControl>>& GetControls() const { return m_controls; }

    // Builds the control called name, found under the search roots, and its whole subtree.
    void ParseControls(GameTools::XMLNode* root, const Chain& searchRoots, const std::string& name,
                       const std::string& prefix, VelkorEngine::GUIWindow* parentWidget);
    // Appends the nodes called name under each search root, each followed by its chain of templates.
    void ResolveTemplates(GameTools::XMLNode* root, const Chain& searchRoots, const std::string& name, Chain& chain);

protected:
    VelkorEngine::Engine* m_engine;
    VelkorEngine::MessageManager* m_log;
    VelkorEngine::FileManager* m_fileManager;
    VelkorEngine::ModelManager* m_modelManager;
    VelkorEngine::GUIManager* m_guiManager;
    GUIResources* m_resources;
    GUIToolManager* m_toolManager;
    GUIFontTool* m_fontTool;
    GUITextTool* m_textTool;
    VelkorEngine::GUIWindow* m_window = nullptr;

private:
    GUIControl* CreateControl(const std::string& kind, const Chain& chain, const ControlModelDescription& description,
                              VelkorEngine::GUIWindow* parentWidget);
    static ControlModelDescription Describe(const Chain& chain, const std::string& fullName);
    void ApplyCommonAttributes(GUIControl& control, GameTools::XMLNode* root, const Chain& chain);
    void ApplyFader(GUIControl& control, GameTools::XMLNode* root, const std::string& faderName);
    static void ApplyTextAttributes(GUITextControl& control, const Chain& chain);
    static void ApplyEditBoxAttributes(GUIEditBoxControl& control, const Chain& chain);
    static void ApplySliderAttributes(GUISliderControl& control, const Chain& chain);
    static void ApplyScrollAttributes(GUIScrollControl& control, const Chain& chain);
    std::vector<std::string> CollectChildNames(const Chain& chain);
    void GuardExpansion(const Chain& chain) const;

    template <typename Control>
    Control* Find(const std::vector<Control*>& list, const std::string& name, const char* operation) const;
    void ReportUnknownControl(const char* operation, const std::string& name) const;
    std::size_t IndexOf(const std::string& name) const;

    std::string m_name;
    // The description nodes of the controls being built, outermost first.
    Chain m_expanding;
    std::vector<std::unique_ptr<GUIControl>> m_controls;
    std::vector<GUIWindowControl*> m_windowControls;
    std::vector<GUIButtonControl*> m_buttons;
    std::vector<GUICheckBoxControl*> m_checkBoxes;
    std::vector<GUIEditBoxControl*> m_editBoxes;
    std::vector<GUISliderControl*> m_sliders;
    std::vector<GUIScrollControl*> m_scrolls;
    std::vector<GUITextControl*> m_texts;
    std::vector<bool> m_enabled;
};
}
