// The device-independent side of a texture: identity, shared fields and the box filter that builds mip levels.
#include "engine/render/Texture2D.h"

#include "engine/core/Config.h"
#include "engine/files/Image.h"

#include <algorithm>
#include <atomic>

namespace VelkorEngine
{
namespace
{
// Textures are made on the loading thread too.
std::atomic<u64> g_lastSerial{0};

bool Switch(Config* config, u8* Config::RenderSettings::*setting)
{
    if (!config)
        return false;
    const u8* value = config->GetRenderSettings().*setting;
    return value && *value != 0;
}
}

Texture2D::Texture2D(const std::string& keyName) : m_keyName(keyName), m_serial(++g_lastSerial) {}

Texture2D::Texture2D(MessageManager* log, Config* config, TextureManager* owner, const std::string& keyName,
                     bool mipMapping)
    : m_log(log), m_config(config), m_owner(owner), m_keyName(keyName), m_serial(++g_lastSerial)
{
    m_mipMapping = mipMapping && Switch(config, &Config::RenderSettings::useMipMapping) ? 1 : 0;
}

Texture2D::~Texture2D() = default;

bool Texture2D::ShowMipMaps() const { return Switch(m_config, &Config::RenderSettings::showMipMaps); }

void Texture2D::BuildMipLevel(const Image& source, Image& target, u32 width, u32 height, bool singleChannel) const
{
    target.Create(m_log, width, height, singleChannel ? 8 : source.GetBitsPerPixel());
    if (target.IsEmpty() || source.IsEmpty())
        return;
    const u32 pixelSize = source.GetBytesPerPixel();
    const u32 sourceWidth = source.GetWidth();
    const u32 sourceHeight = source.GetHeight();
    const u32 channel = pixelSize == 4 ? 3 : 0;
    const u32 outSize = target.GetBytesPerPixel();
    u8* out = target.GetData();
    for (u32 y = 0; y < height; ++y)
    {
        // A side of one pixel has no neighbour to average with; sizes that do not halve stay inside too.
        const u32 sourceY = std::min(2 * y, sourceHeight - 1);
        const u64 dy = sourceY + 1 < sourceHeight ? static_cast<u64>(sourceWidth) * pixelSize : 0;
        for (u32 x = 0; x < width; ++x, out += outSize)
        {
            const u32 sourceX = std::min(2 * x, sourceWidth - 1);
            const u64 dx = sourceX + 1 < sourceWidth ? pixelSize : 0;
            const u8* p = source.GetData() + (static_cast<u64>(sourceY) * sourceWidth + sourceX) * pixelSize;
            auto average = [&](u32 c) {
                return static_cast<u8>((p[c] + p[c + dx] + p[c + dy] + p[c + dy + dx] + 2) >> 2);
            };
            if (singleChannel)
                out[0] = average(channel);
            else
                for (u32 c = 0; c < outSize; ++c)
                    out[c] = average(c);
        }
    }
}
}
