// The animated background behind the menus: layers of models and particle systems read from a background
// description, made in two sets (basic and additional) when the owner chooses, shown and hidden as one,
// with or without a fade.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace GameTools
{
class XMLNode;
}

namespace VelkorEngine
{
class Engine;
class GUIManager;
class GUIWindow;
class MessageManager;
class TimerManager;
}

namespace GUITools
{
class GUIBackgroundLayer;
class GUIResources;

class GUIBackgroundBase
{
public:
    // A description that cannot be read is logged, and the background then has no layers.
    GUIBackgroundBase(VelkorEngine::Engine* engine, GUIResources* resources, VelkorEngine::GUIWindow* parentWidget,
                      const std::string& descriptionPath);
    virtual ~GUIBackgroundBase();

    GUIBackgroundBase(const GUIBackgroundBase&) = delete;
    GUIBackgroundBase& operator=(const GUIBackgroundBase&) = delete;

    virtual void CreateAdditionalLayers();
    virtual void CreateBasicLayers();
    virtual void Update();
    // A faded show or hide lasts 1 / speed seconds.
    virtual void Show(bool show, bool fade, VelkorEngine::f32 speed);
    virtual bool IsShown() const;
    virtual void CreateLayers(bool additional);
    virtual bool ReadAdditional(GameTools::XMLNode* node);
    // Null for an element of another kind or without a "name".
    virtual std::unique_ptr<GUIBackgroundLayer> ReadLayer(GameTools::XMLNode* node, VelkorEngine::i32 height);

    const std::vector<std::unique_ptr<GUIBackgroundLayer>>& GetLayers() const { return m_layers; }
    VelkorEngine::GUIWindow* GetTopWindow() const { return m_topWindow; }

protected:
    VelkorEngine::Engine* m_engine;
    VelkorEngine::MessageManager* m_log;
    VelkorEngine::TimerManager* m_timers;
    VelkorEngine::GUIManager* m_gui;
    GUIResources* m_resources;

private:
    void ReadDescription(const std::string& path);
    void HideLayers();

    std::unique_ptr<GameTools::XMLNode> m_description;
    std::string m_resourcesPrefix;
    VelkorEngine::GUIWindow* m_frameWindow = nullptr;
    VelkorEngine::GUIWindow* m_layerWindow = nullptr;
    VelkorEngine::GUIWindow* m_topWindow = nullptr;
    std::vector<std::unique_ptr<GUIBackgroundLayer>> m_layers;
    bool m_shown = false;
    bool m_fading = false;
    VelkorEngine::f32 m_fadeSpeed = 1.0f;
    VelkorEngine::f32 m_fadeTime = 0.0f;
};
}
