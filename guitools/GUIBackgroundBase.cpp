#include "guitools/GUIBackgroundBase.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Vector4.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLParser.h"
#include "engine/gui/GUIManager.h"
#include "guitools/FadeTolerance.h"
#include "guitools/GUIBackgroundLayer.h"

#include <algorithm>
#include <cmath>

using namespace VelkorEngine;
using GameTools::XMLNode;
using GameTools::XMLValue;

namespace GUITools
{
namespace
{
// The top window lies above every layer: one height per layer element and a margin.
constexpr i32 TopWindowMargin = 3;
const Vector2 Origin{0.0f, 0.0f};
}

GUIBackgroundBase::GUIBackgroundBase(Engine* engine, GUIResources* resources, GUIWindow* parentWidget,
                                     const std::string& descriptionPath)
    : m_engine(engine),
      m_log(engine->GetMessageManager()),
      m_timers(engine->GetTimerManager()),
      m_gui(engine->GetGUIManager()),
      m_resources(resources)
{
    m_frameWindow = m_gui->CreateWindow(GUIWindow::StateVisible, Origin, Origin, nullptr, parentWidget);
    m_layerWindow = m_gui->CreateWindow(0, Origin, Origin, nullptr, m_frameWindow);
    m_topWindow = m_gui->CreateWindow(GUIWindow::StateVisible, Origin, Origin, nullptr, m_frameWindow);
    ReadDescription(descriptionPath);
}

GUIBackgroundBase::~GUIBackgroundBase()
{
    m_layers.clear();
    m_gui->DestroyWindow(m_topWindow);
    m_gui->DestroyWindow(m_layerWindow);
    m_gui->DestroyWindow(m_frameWindow);
}

void GUIBackgroundBase::ReadDescription(const std::string& path)
{
    XMLNode* root = nullptr;
    try
    {
        GameTools::XMLParser parser(m_engine);
        parser.Parse(root, path);
    }
    catch (const Error& error)
    {
        m_log->Error(VelkorEngine::MessageNamingFile(error.GetMessage(), path));
        return;
    }
    m_description.reset(root);
    if (m_description == nullptr)
        return;
    if (XMLValue* prefix = m_description->GetAttributeValue("resources_prefix"))
        m_resourcesPrefix = prefix->GetString() + "/";
    std::vector<XMLNode*> children;
    m_description->GetChildren(children);
    if (m_topWindow != nullptr)
        m_topWindow->SetLayer(static_cast<i32>(children.size()) + TopWindowMargin);
}

void GUIBackgroundBase::CreateBasicLayers()
{
    CreateLayers(false);
}

void GUIBackgroundBase::CreateAdditionalLayers()
{
    CreateLayers(true);
}

void GUIBackgroundBase::CreateLayers(bool additional)
{
    if (m_description == nullptr)
        return;
    std::vector<XMLNode*> children;
    m_description->GetChildren(children);
    for (std::size_t i = 0; i < children.size(); ++i)
    {
        if (ReadAdditional(children[i]) != additional)
            continue;
        std::unique_ptr<GUIBackgroundLayer> layer = ReadLayer(children[i], static_cast<i32>(i + 1));
        if (layer == nullptr)
            continue;
        if (m_shown)
            layer->Show(true, true, 1.0f);
        m_layers.push_back(std::move(layer));
    }
}

bool GUIBackgroundBase::ReadAdditional(XMLNode* node)
{
    XMLValue* value = node->GetAttributeValue("additional");
    return value != nullptr && value->GetBool();
}

std::unique_ptr<GUIBackgroundLayer> GUIBackgroundBase::ReadLayer(XMLNode* node, i32 height)
{
    const std::string& kind = node->GetName();
    XMLValue* name = node->GetAttributeValue("name");
    if (name == nullptr || (kind != "model" && kind != "particles"))
        return nullptr;
    GUIBackgroundLayer::Description description;
    (kind == "model" ? description.model : description.particles) = m_resourcesPrefix + name->GetString();
    if (XMLValue* value = node->GetAttributeValue("shader"))
        description.shader = m_resourcesPrefix + value->GetString();
    if (XMLValue* value = node->GetAttributeValue("animator_model"))
        description.animatorModel = m_resourcesPrefix + value->GetString();
    if (XMLValue* value = node->GetAttributeValue("animation_speed"))
        description.animationSpeed = value->GetFloat();
    if (XMLValue* value = node->GetAttributeValue("random_start_frame"))
        description.randomStart = value->GetBool();
    if (XMLValue* value = node->GetAttributeValue("color"))
    {
        const Vector4 color = value->GetVector4();
        description.color = Color(color.x, color.y, color.z, color.w);
    }
    description.height = height;
    return std::make_unique<GUIBackgroundLayer>(m_engine, m_resources, description, m_layerWindow);
}

void GUIBackgroundBase::Show(bool show, bool fade, f32 speed)
{
    m_shown = show;
    m_fading = fade;
    m_fadeSpeed = speed;
    m_fadeTime = 0.0f;
    if (show)
    {
        m_layerWindow->SetState(GUIWindow::StateVisible);
        for (const auto& layer : m_layers)
            layer->Show(true, false, speed);
    }
    else if (!fade)
        HideLayers();
}

void GUIBackgroundBase::HideLayers()
{
    m_layerWindow->ClearState(GUIWindow::StateVisible);
    for (const auto& layer : m_layers)
        layer->Show(false, false, m_fadeSpeed);
}

bool GUIBackgroundBase::IsShown() const
{
    return m_layerWindow != nullptr && m_layerWindow->IsVisible();
}

void GUIBackgroundBase::Update()
{
    if (!IsShown())
        return;
    for (const auto& layer : m_layers)
        layer->Update();
    // Fully opaque unless a fade is running.
    f32 value = 1.0f;
    if (m_fading)
    {
        m_fadeTime += m_timers->GetFrameTime();
        const f32 progress = std::clamp(m_fadeSpeed * m_fadeTime, 0.0f, 1.0f);
        value = m_shown ? progress : 1.0f - progress;
        if (m_shown && std::fabs(1.0f - value) < FadeTolerance)
            m_fading = false;
        else if (!m_shown && std::fabs(value) < FadeTolerance)
        {
            m_fading = false;
            HideLayers();
        }
    }
    for (const auto& layer : m_layers)
        layer->SetOpacity(value);
}
}
