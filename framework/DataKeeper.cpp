// Resource lists read into named models, shader users and particle systems.
#include "framework/DataKeeper.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLParser.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroup.h"
#include "engine/scene/SpriteGroupManager.h"

#include <algorithm>
#include <utility>

namespace GameTools
{
using VelkorEngine::i32;

namespace
{
constexpr u32 UnnamedShaderUserBase = 123456789;

// The list's folder below the data folder: "data\ui\resources_basic.xml" gives "ui".
std::string ListFolder(const std::string& path)
{
    std::string folder = path;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    const size_t last = folder.rfind('\\');
    folder = last == std::string::npos ? std::string() : folder.substr(0, last);
    const size_t data = VelkorEngine::StringToLowerCopy(folder + "\\").find("data\\");
    return data == std::string::npos ? folder : (folder + "\\").substr(data + 5, std::string::npos);
}

std::string TrimmedFolder(const std::string& folder)
{
    return !folder.empty() && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

// A file of the list's folder, relative to the data folder.
std::string InFolder(const std::string& folder, const std::string& file)
{
    return folder.empty() ? file : folder + "\\" + file;
}

XMLValue* Attribute(XMLNode& element, const char* name)
{
    return element.GetAttributeValue(name);
}

std::string StringAttribute(XMLNode& element, const char* name, const std::string& fallback)
{
    XMLValue* value = Attribute(element, name);
    return value ? value->GetString() : fallback;
}

i32 IntAttribute(XMLNode& element, const char* name, i32 fallback)
{
    XMLValue* value = Attribute(element, name);
    return value ? value->GetInt() : fallback;
}

u32 AnimationType(XMLNode& element)
{
    static constexpr std::pair<const char*, u32> kTypes[] = {
        {"net", 1}, {"diffuse", 2}, {"opacity", 3}, {"diffuse_and_opacity", 4}};
    XMLValue* value = Attribute(element, "animation_type");
    if (!value)
        return 0;
    for (const auto& [text, type] : kTypes)
    {
        if (value->GetString() == text)
            return type;
    }
    return 0;
}

// A grid or frame count below one means one; more frames than a shader can hold are cut.
u32 AtLeastOne(i32 value, u32 most)
{
    return static_cast<u32>(std::clamp<i32>(value, 1, static_cast<i32>(most)));
}
}

DataKeeper::DataKeeper(VelkorEngine::Engine* engine, const std::string& language)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_shaderManager(engine->GetShaderManager()),
      m_textureManager(engine->GetShaderManager()->GetTextureManager()), m_modelManager(engine->GetModelManager()),
      m_spriteGroupManager(engine->GetSpriteGroupManager()),
      m_particleSystemManager(engine->GetParticleSystemManager()), m_language(language)
{
    const VelkorEngine::ShaderDescriptor empty(0u);
    m_defaultShaderUser = m_shaderManager->AddShader(empty);
    m_defaultModel.reset(m_modelManager->NewBoxModel(VelkorEngine::Vector3(-1.0f, -1.0f, -1.0f),
                                                     VelkorEngine::Vector3(1.0f, 1.0f, 1.0f), nullptr, nullptr, 0));
    m_defaultSpriteGroup.reset(m_spriteGroupManager->NewSpriteGroup(1, &empty, nullptr));
    m_defaultSpriteGroup->SetVisible(false);
    m_defaultParticleSystem.reset(m_particleSystemManager->NewSelfMadeParticleSystem(nullptr));
    m_defaultParticleSystem->SetVisible(false);
}

DataKeeper::~DataKeeper()
{
    ReleaseRegistered();
    ReleaseDefaults();
}

void DataKeeper::ReleaseRegistered()
{
    for (auto& [name, user] : m_shaderUsers)
        m_shaderManager->RemoveShader(user);
    m_shaderUsers.clear();
    m_models.clear();
    m_particleSystems.clear();
}

void DataKeeper::ReleaseDefaults()
{
    m_defaultParticleSystem.reset();
    m_defaultSpriteGroup.reset();
    m_defaultModel.reset();
    m_shaderManager->RemoveShader(m_defaultShaderUser);
    m_defaultShaderUser = nullptr;
}

void DataKeeper::AddResourcesFile(const std::string& path, u8 immediately)
{
    if (immediately)
        LoadFile(path);
    else
        m_queue.push_back(path);
}

void DataKeeper::Load()
{
    LoadQueuedFiles();
}

void DataKeeper::LoadQueuedFiles()
{
    for (const std::string& path : m_queue)
        LoadFile(path);
}

void DataKeeper::LoadFile(const std::string& path)
{
    XMLNode root;
    try
    {
        XMLParser(m_engine->GetFileManager()).Load(&root, path);
    }
    catch (const VelkorEngine::FileError& error)
    {
        m_log->Fatal(VelkorEngine::MessageNamingFile(error.GetMessage(), path));
    }
    m_loopRoundsLeft = MaxLoopCount;
    const ListContext context{TrimmedFolder(ListFolder(path)), std::string(), {}};
    ProcessChildren(root, context);
}

void DataKeeper::ProcessChildren(XMLNode& element, const ListContext& context)
{
    std::vector<XMLNode*> children;
    element.GetChildren(children);
    for (XMLNode* child : children)
        ProcessElement(*child, context);
}

void DataKeeper::ProcessElement(XMLNode& element, const ListContext& context)
{
    if (element.GetName() == "loop")
    {
        ProcessLoop(element, context);
        return;
    }
    const std::string name = StringAttribute(element, "name", std::string());
    if (!name.empty())
    {
        ProcessResource(element, name, context);
        return;
    }
    if (element.GetName().empty() || element.GetName() == "resources")
    {
        ProcessChildren(element, context);
        return;
    }
    ListContext group = context;
    group.prefix += element.GetName() + "/";
    ProcessChildren(element, group);
}

void DataKeeper::ProcessLoop(XMLNode& element, const ListContext& context)
{
    const i32 start = IntAttribute(element, "start", 0);
    const i32 count = IntAttribute(element, "count", 0);
    if (start < 0 || count <= start)
        return;
    const u32 rounds = static_cast<u32>(count - start);
    if (rounds > m_loopRoundsLeft)
    {
        m_log->Error("(DataKeeper::LoadFile): A loop of " + std::to_string(count - start) +
                     " rounds is skipped");
        return;
    }
    m_loopRoundsLeft -= rounds;
    ListContext inner = context;
    inner.counters.push_back(ResourceCounter{StringAttribute(element, "counter", "i"), 0});
    for (i32 value = start; value < count; ++value)
    {
        inner.counters.back().value = static_cast<u32>(value);
        ProcessChildren(element, inner);
    }
}

void DataKeeper::ProcessResource(XMLNode& element, const std::string& name, const ListContext& context)
{
    XMLValue* language = Attribute(element, "language");
    if (language && language->GetString() != m_language)
        return;
    const std::string fullName = context.prefix + SubstituteCounters(name, context.counters);
    if (element.GetName() == "model")
        LoadModel(element, fullName, context);
    else if (element.GetName() == "shader")
        LoadShader(element, fullName, context);
    else if (element.GetName() == "particles")
        LoadParticles(element, fullName, context);
}

void DataKeeper::LoadModel(XMLNode& element, const std::string& name, const ListContext& context)
{
    const std::string file = SubstituteCounters(StringAttribute(element, "file_name", "unknown_file_name"),
                                                context.counters);
    XMLValue* colors = Attribute(element, "color_verticies");
    const u32 flags = colors && colors->GetBool() ? VelkorEngine::ModelFlags::VertexColor : 0;
    VelkorEngine::Model* model = m_modelManager->NewModelFromFile(InFolder(context.folder, file), nullptr, flags);
    XMLValue* speed = Attribute(element, "animation_speed");
    if (model && speed && model->animation)
        model->animation->speed = speed->GetFloat();
    AddModel(name, model);
}

void DataKeeper::LoadShader(XMLNode& element, const std::string& name, const ListContext& context)
{
    std::string diffuse;
    if (XMLValue* value = Attribute(element, "diffuse_file_name"))
        diffuse = InFolder(context.folder, SubstituteCounters(value->GetString(), context.counters));
    std::string opacity;
    if (XMLValue* value = Attribute(element, "opacity_file_name"))
        opacity = value->GetString() == "32bit"
                      ? value->GetString()
                      : InFolder(context.folder, SubstituteCounters(value->GetString(), context.counters));
    XMLValue* clamp = Attribute(element, "clamp");
    XMLValue* netSize = Attribute(element, "net_size");
    const std::pair<i32, i32> net = netSize ? netSize->GetIntPair() : std::pair<i32, i32>(1, 1);
    XMLValue* speed = Attribute(element, "animation_speed");
    constexpr u32 kMost = VelkorEngine::ShaderDescriptor::kMaxFrames;
    const VelkorEngine::ShaderDescriptor descriptor(
        true, AnimationType(element), AtLeastOne(net.first, kMost), AtLeastOne(net.second, kMost),
        AtLeastOne(IntAttribute(element, "frame_count", 1), kMost), speed ? speed->GetFloat() : 0.0f, diffuse, opacity,
        clamp ? clamp->GetBool() : true);
    AddShaderUser(name, m_shaderManager->AddShader(descriptor));
}

void DataKeeper::LoadParticles(XMLNode& element, const std::string& name, const ListContext& context)
{
    const std::string file = SubstituteCounters(StringAttribute(element, "file_name", "unknown_file_name"),
                                                context.counters);
    const std::string path = InFolder(context.folder, file);
    AddParticleSystem(name, m_particleSystemManager->NewParticleSystemFromFile(path, nullptr));
}

VelkorEngine::Model* DataKeeper::GetModel(const std::string& name)
{
    const auto found = m_models.find(name);
    if (found != m_models.end())
        return found->second.get();
    m_log->Error("(DataKeeper::GetModel): There is no \"" + name + "\" resource");
    return m_defaultModel.get();
}

VelkorEngine::ShaderUser* DataKeeper::GetShaderUser(const std::string& name)
{
    const auto found = m_shaderUsers.find(name);
    if (found != m_shaderUsers.end())
        return found->second;
    m_log->Error("(DataKeeper::GetShaderUser): There is no \"" + name + "\" resource");
    return m_defaultShaderUser;
}

VelkorEngine::ParticleSystem* DataKeeper::GetParticleSystem(const std::string& name)
{
    const auto found = m_particleSystems.find(name);
    if (found != m_particleSystems.end())
        return found->second.get();
    m_log->Error("(DataKeeper::GetParticleSystem): There is no \"" + name + "\" resource");
    return m_defaultParticleSystem.get();
}

void DataKeeper::AddModel(const std::string& name, VelkorEngine::Model* model)
{
    std::unique_ptr<VelkorEngine::Model> owned(model);
    if (!owned)
        return;
    // A rejected object is destroyed with its owner here.
    if (!m_models.try_emplace(name, std::move(owned)).second)
        m_log->Error("(DataKeeper::AddModel): Model \"" + name + "\" is duplicated");
}

void DataKeeper::AddShaderUser(const std::string& name, VelkorEngine::ShaderUser* user)
{
    if (!user)
        return;
    if (m_shaderUsers.emplace(name, user).second)
        return;
    m_log->Error("(DataKeeper::AddShaderUser): Shader User \"" + name + "\" is duplicated");
    m_shaderManager->RemoveShader(user);
}

void DataKeeper::AddParticleSystem(const std::string& name, VelkorEngine::ParticleSystem* system)
{
    std::unique_ptr<VelkorEngine::ParticleSystem> owned(system);
    if (!owned)
        return;
    // A rejected object is destroyed with its owner here.
    if (!m_particleSystems.try_emplace(name, std::move(owned)).second)
        m_log->Error("(DataKeeper::AddParticleSystem): Particle System \"" + name + "\" is duplicated");
}

void DataKeeper::AddUnnamedShaderUser(VelkorEngine::ShaderUser* user)
{
    AddShaderUser(VelkorEngine::UIntToString(GetShaderUserCount() + UnnamedShaderUserBase, 9), user);
}
}
