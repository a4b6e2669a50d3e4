// The lights of the playfield: an ambient colour and point lights read from a small text file of numbers, and
// the fixed direction in which the shadows fall.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class FileTextual;
class Light;
class LightManager;
class MessageManager;
}

namespace Korvane
{
using VelkorEngine::u32;

class Lighting
{
public:
    // The device draws with at most this many lights; a file asking for more gets the first ones.
    static constexpr u32 MostLights = 8;

    // Reads "data\environment\lighting\" + fileName. A file that cannot be read is logged and leaves the
    // field with the engine's ambient colour and no lights of its own.
    Lighting(VelkorEngine::Engine* engine, const std::string& fileName);
    virtual ~Lighting();

    Lighting(const Lighting&) = delete;
    Lighting& operator=(const Lighting&) = delete;

    // Deletes the lights this lighting made.
    void Clear();
    void Update() {}

    const VelkorEngine::Vector2& GetShadowDirection() const { return m_shadowDirection; }
    u32 GetLightCount() const { return static_cast<u32>(m_lights.size()); }
    VelkorEngine::Light* GetLight(u32 index) const { return m_lights[index]; }

private:
    void Read(VelkorEngine::FileTextual& file);
    void ReadLights(VelkorEngine::FileTextual& file, u32 count);

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::LightManager* m_lightManager = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    std::string m_fileName;
    std::vector<VelkorEngine::Light*> m_lights;
    VelkorEngine::Vector2 m_shadowDirection;
};
}
