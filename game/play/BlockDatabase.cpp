// Reading the block descriptions and matching placed blocks to them.
#include "game/play/BlockDatabase.h"

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLParser.h"
#include "engine/files/XMLValue.h"

#include <algorithm>

using GameTools::XMLNode;
using GameTools::XMLValue;

namespace Korvane
{
BlockDatabase::BlockDatabase(VelkorEngine::FileManager* files)
{
    std::vector<std::string> paths;
    files->ListFiles(Folder, "*.xml", paths);
    // File order decides which kind a block's name finds first; loose files keep their case on disk, which
    // must not change that order.
    std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        return VelkorEngine::StringToLowerCopy(a) < VelkorEngine::StringToLowerCopy(b);
    });
    GameTools::XMLParser parser(files);
    for (const std::string& path : paths)
    {
        const std::string name = NameOf(path);
        // A nameless kind would be found inside every block's name.
        if (name.empty())
            throw VelkorEngine::FileError("Incorrect \"" + path + "\" file format");
        XMLNode* root = nullptr;
        try
        {
            parser.Parse(root, path);
        }
        catch (const VelkorEngine::FileError& error)
        {
            throw VelkorEngine::FileError(VelkorEngine::MessageNamingFile(error.GetMessage(), path));
        }
        std::unique_ptr<XMLNode> description(root);
        if (!description)
            throw VelkorEngine::FileError("Incorrect \"" + path + "\" file format");
        description->SetAttribute("name", name);
        m_descriptions.push_back(std::move(description));
    }
}

BlockDatabase::~BlockDatabase() = default;

XMLNode* BlockDatabase::Find(const std::string& objectName) const
{
    for (const auto& description : m_descriptions)
        if (objectName.find(description->GetAttributeValue("name")->GetString()) != std::string::npos)
            return description.get();
    throw VelkorEngine::FileError("Can't find block \"" + objectName + "\" in database");
}

std::string BlockDatabase::NameOf(const std::string& path)
{
    std::string name = VelkorEngine::GetPathFileName(path);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return VelkorEngine::StringToLowerCopy(name);
}

std::string BlockDatabase::GetText(const XMLNode& description, const std::string& name, const std::string& missing)
{
    XMLValue* value = description.GetAttributeValue(name);
    return value != nullptr ? value->GetString() : missing;
}

i32 BlockDatabase::GetInt(const XMLNode& description, const std::string& name, i32 missing)
{
    const XMLValue* value = description.GetAttributeValue(name);
    return value != nullptr ? value->GetInt() : missing;
}

bool BlockDatabase::GetBool(const XMLNode& description, const std::string& name, bool missing)
{
    const XMLValue* value = description.GetAttributeValue(name);
    return value != nullptr ? value->GetBool() : missing;
}

void BlockDatabase::GetShaderFrames(const XMLNode& description, u32& frameCount, f32& speed)
{
    frameCount = 1;
    speed = 0.0f;
    const XMLNode* shader = description.FindChild("shader");
    if (shader == nullptr)
        return;
    if (const XMLValue* frames = shader->GetAttributeValue("frame_count"))
        frameCount = static_cast<u32>(std::max(frames->GetInt(), 1));
    if (const XMLValue* rate = shader->GetAttributeValue("animation_speed"))
        speed = rate->GetFloat();
}
}
