// The decorative scene around the playfield of one stage: copies of the stage keeper's models, placed by the
// stage's environment description "data\environment\" + name + ".xml", each with its shader, colour, animation
// and lighting, transparent pieces sorted behind one another by their depth.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
}

namespace GameTools
{
class DataKeeper;
class XMLNode;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class Environment
{
public:
    static constexpr const char* Folder = "data\\environment\\";
    // Transparent pieces are sorted from this key down by a hundredth of their depth.
    static constexpr f32 TransparentSortBase = -5.0f;
    static constexpr f32 TransparentSortPerDepth = 0.01f;

    // Reads the description; a missing or malformed file throws FileError.
    Environment(VelkorEngine::Engine* engine, GameTools::DataKeeper* keeper, const std::string& name);
    virtual ~Environment();

    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    void Update() {}

    const std::vector<VelkorEngine::Model*>& GetModels() const { return m_models; }

private:
    void Read(const std::string& path);
    static GameTools::XMLNode* FindScene(GameTools::XMLNode& container);
    void AddModel(GameTools::XMLNode& element);

    VelkorEngine::ModelManager* m_modelManager = nullptr;
    GameTools::DataKeeper* m_keeper = nullptr;
    // Made and deleted through the model manager, which draws them.
    std::vector<VelkorEngine::Model*> m_models;
};
}
