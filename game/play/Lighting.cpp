// The lighting file: numbers only, read in a fixed order.
#include "game/play/Lighting.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/files/FileTextual.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"

#include <array>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr f32 kColorScale = 255.0f;
// Position, ambient, diffuse and specular colours, three attenuations.
constexpr u32 kNumbersPerLight = 15;

// False at the end of the file, which leaves the number unread.
bool ReadNumber(FileTextual& file, f32& number)
{
    std::string word;
    if (!file.ReadWord(word, FileTextual::KeepUnderscores) || word.empty())
        return false;
    number = StringToFloat(word);
    return true;
}

// The light count is a whole number; a missing or negative one is no light.
u32 ReadCount(FileTextual& file)
{
    std::string word;
    if (!file.ReadWord(word, FileTextual::KeepUnderscores))
        return 0;
    const i32 count = StringToInt(word, 10);
    return count > 0 ? static_cast<u32>(count) : 0;
}

Color ColorAt(const f32* numbers)
{
    return Color(numbers[0] / kColorScale, numbers[1] / kColorScale, numbers[2] / kColorScale, 1.0f);
}
}

Lighting::Lighting(Engine* engine, const std::string& fileName)
    : m_engine(engine), m_lightManager(engine->GetLightManager()), m_log(engine->GetMessageManager()),
      m_fileName("data\\environment\\lighting\\" + fileName)
{
    m_shadowDirection = Vector2(1.0f, -1.0f);
    m_shadowDirection.SetLength(1.0f);
    try
    {
        const std::unique_ptr<FileTextual> file = engine->GetFileManager()->OpenTextual(m_fileName, 0, 0);
        Read(*file);
    }
    catch (const FileError& error)
    {
        m_log->Error("(Lighting::Lighting): " + error.GetMessage());
    }
}

Lighting::~Lighting()
{
    Clear();
}

void Lighting::Clear()
{
    for (Light* light : m_lights)
        m_lightManager->DeleteLight(light);
    m_lights.clear();
}

void Lighting::Read(FileTextual& file)
{
    std::array<f32, 3> ambient{};
    for (f32& component : ambient)
        if (!ReadNumber(file, component))
        {
            m_log->Error("(Lighting::Lighting): \"" + m_fileName + "\" ends before its ambient colour");
            return;
        }
    m_lightManager->SetAmbientColor(ColorAt(ambient.data()));
    ReadLights(file, ReadCount(file));
}

void Lighting::ReadLights(FileTextual& file, u32 count)
{
    for (u32 i = 0; i < count; ++i)
    {
        std::array<f32, kNumbersPerLight> numbers{};
        for (f32& number : numbers)
            if (!ReadNumber(file, number))
            {
                m_log->Error("(Lighting::Lighting): \"" + m_fileName + "\" ends inside light " + UIntToString(i, 0) +
                             "; the lights before it are kept");
                return;
            }
        if (m_lightManager->GetLightCount() >= MostLights)
        {
            m_log->Warning("(Lighting::Lighting): \"" + m_fileName + "\" asks for " + UIntToString(count, 0) +
                           " lights; only " + UIntToString(MostLights, 0) + " can be lit at once, the rest are left out");
            return;
        }
        Light* light = m_lightManager->CreateLight();
        light->kind = Light::KindPoint;
        light->position = Vector3(numbers[0], numbers[1], numbers[2]);
        light->ambient = ColorAt(&numbers[3]);
        light->diffuse = ColorAt(&numbers[6]);
        light->specular = ColorAt(&numbers[9]);
        light->attenuation0 = numbers[12];
        light->attenuation1 = numbers[13];
        light->attenuation2 = numbers[14];
        light->enabled = 1;
        m_lights.push_back(light);
    }
}
}
