// Reading the environment description into model copies.
#include "game/play/Environment.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Vector4.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLParser.h"
#include "engine/files/XMLValue.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"

using GameTools::XMLNode;
using GameTools::XMLValue;
using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// Transparent pieces go to the list drawn back to front, without writing depth.
constexpr u32 kSortedTransparentFlags = ModelFlags::SecondList | ModelFlags::NoDepthWrite;

// Whoever reads the fatal box learns which stage's description to mend, whatever the parser's own text says.
void ReadDescription(Engine* engine, XMLNode& container, const std::string& path)
{
    try
    {
        GameTools::XMLParser(engine->GetFileManager()).Load(&container, path);
    }
    catch (const FileError& error)
    {
        throw FileError(MessageNamingFile(error.GetMessage(), path));
    }
}
}

Environment::Environment(Engine* engine, GameTools::DataKeeper* keeper, const std::string& name)
    : m_modelManager(engine->GetModelManager()), m_keeper(keeper)
{
    try
    {
        XMLNode container;
        ReadDescription(engine, container, Folder + name + ".xml");
        if (XMLNode* scene = FindScene(container))
        {
            std::vector<XMLNode*> elements;
            scene->GetChildrenByName("model", elements);
            for (XMLNode* element : elements)
                AddModel(*element);
        }
    }
    catch (...)
    {
        for (Model* model : m_models)
            m_modelManager->DeleteModel(model);
        throw;
    }
}

Environment::~Environment()
{
    for (Model* model : m_models)
        m_modelManager->DeleteModel(model);
}

// The scene is the top element "environment"; a file that wraps it in one more element is read as well.
XMLNode* Environment::FindScene(XMLNode& container)
{
    if (XMLNode* scene = container.FindChild("environment"))
        return scene;
    std::vector<XMLNode*> tops;
    container.GetChildren(tops);
    return tops.size() == 1 ? tops[0]->FindChild("environment") : nullptr;
}

void Environment::AddModel(XMLNode& element)
{
    XMLValue* name = element.GetAttributeValue("name");
    if (name == nullptr)
        return;
    Model* model = m_modelManager->CreateModelCopy(*m_keeper->GetModel(name->GetString()), nullptr, 0);
    if (model == nullptr)
        return;
    m_models.push_back(model);

    if (XMLValue* shader = element.GetAttributeValue("shader"))
        model->SetShader(*m_keeper->GetShaderUser(shader->GetString()));
    const bool transparent = model->GetShader() != nullptr && model->GetShader()->IsAlphaBlended();
    if (const XMLValue* depth = element.GetAttributeValue("depth"); depth != nullptr && transparent)
    {
        model->SetFlags(kSortedTransparentFlags);
        model->depthOffset = TransparentSortBase - TransparentSortPerDepth * static_cast<f32>(depth->GetInt());
    }
    if (const XMLValue* color = element.GetAttributeValue("color"))
    {
        const Vector4 c = color->GetVector4();
        model->SetColor(Color(c.x, c.y, c.z, c.w));
    }
    const XMLValue* lighting = element.GetAttributeValue("lighting");
    if (transparent || (lighting != nullptr && !lighting->GetBool()))
        model->ClearFlags(ModelFlags::Lit);
    if (model->animation)
    {
        if (const XMLValue* speed = element.GetAttributeValue("animation_speed"))
            model->animation->speed = speed->GetFloat();
        model->animation->loop = 1;
        model->animation->Start();
    }
}
}
