#include "game/app/GameData.h"

#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr u32 RootWindowState = GUIWindow::StateVisible | GUIWindow::StateLayerBack;
constexpr i32 ChildWindowLayer = 100;

std::string PublisherTexture(u32 index, const char* suffix)
{
    return "ui\\textures\\publishers\\" + UIntToString(index, 1) + suffix;
}
} // namespace

GameData::GameData(Engine* engine, const std::string& language)
    : DataKeeper(engine, language), m_guiManager(engine->GetGUIManager()), m_guiResources(this)
{
    for (u32 i = 0; i < PublisherCount; ++i)
        LoadSmallLogo(i);
}

GameData::~GameData()
{
    if (m_guiManager != nullptr)
    {
        m_guiManager->DestroyWindow(m_childWindow);
        m_guiManager->DestroyWindow(m_rootWindow);
    }
}

std::string GameData::SmallLogoPath(u32 index)
{
    return PublisherTexture(index, "_logo_small.jpg");
}

std::string GameData::SmallLogoAlphaPath(u32 index)
{
    return PublisherTexture(index, "_logo_small_alpha.jpg");
}

void GameData::LoadSmallLogo(u32 index)
{
    FileManager* files = m_engine->GetFileManager();
    if (!files->Exists(FileManager::GetDataPath(SmallLogoPath(index))) ||
        !files->Exists(FileManager::GetDataPath(SmallLogoAlphaPath(index))))
        return;
    const ShaderDescriptor descriptor =
        BuildSingleTextureShaderDescriptor(SmallLogoPath(index), SmallLogoAlphaPath(index), false);
    m_smallLogos[index] = m_shaderManager->AddShader(descriptor);
    AddUnnamedShaderUser(m_smallLogos[index]);
}

void GameData::CreateWindows()
{
    if (m_guiManager == nullptr || m_rootWindow != nullptr)
        return;
    m_rootWindow =
        m_guiManager->CreateWindow(RootWindowState, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr, nullptr);
    m_childWindow = m_guiManager->CreateWindow(GUIWindow::StateVisible, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f),
                                               nullptr, m_rootWindow);
    m_childWindow->SetLayer(ChildWindowLayer);
}

ShaderUser* GameData::GetSmallLogo(u32 index) const
{
    return index < PublisherCount ? m_smallLogos[index] : nullptr;
}
} // namespace Korvane
