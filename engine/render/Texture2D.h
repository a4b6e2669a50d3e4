// A texture as the engine sees it: one picture (with an optional opacity picture) on the device, shared by
// key through the TextureManager with a reference count, with or without a chain of mip levels. Its serial
// number is never reused, so the render-state cache knows a bound texture even when another takes its address.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class Config;
class Image;
class MessageManager;
class TextureManager;

class Texture2D
{
public:
    // A texture known by its key only, without images or a manager.
    explicit Texture2D(const std::string& keyName);
    // The mip option is kept only while mip mapping is switched on in the settings ("r_use_mip_mapping").
    Texture2D(MessageManager* log, Config* config, TextureManager* owner, const std::string& keyName, bool mipMapping);
    virtual ~Texture2D();

    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    const std::string& GetKeyName() const { return m_keyName; }
    // Never 0 and never the same for two textures of one run.
    u64 GetSerial() const { return m_serial; }
    TextureManager* GetOwner() const { return m_owner; }
    // The reference count is changed by the manager only, under its lock.
    u32 GetReferenceCount() const { return m_referenceCount; }
    void AddReference() { ++m_referenceCount; }
    // Returns the references left.
    u32 RemoveReference() { return m_referenceCount > 0 ? --m_referenceCount : 0; }
    // Bytes of image data uploaded, summed over every level.
    u32 GetSize() const { return m_size; }
    bool IsMipMapped() const { return m_mipMapping != 0; }
    u32 GetWidth() const { return m_width; }
    u32 GetHeight() const { return m_height; }

    // The next smaller level with the 2 x 2 box filter. With singleChannel the target has 8 bits, taken from
    // the source's red (24 bits) or alpha (32 bits) channel.
    void BuildMipLevel(const Image& source, Image& target, u32 width, u32 height, bool singleChannel) const;

protected:
    // "r_show_mip_maps": the second level is drawn red (opaque white in the opacity) to show where mip levels apply.
    bool ShowMipMaps() const;

    MessageManager* m_log = nullptr;
    Config* m_config = nullptr;
    TextureManager* m_owner = nullptr;
    std::string m_keyName;
    u32 m_referenceCount = 1;
    u32 m_size = 0;
    u8 m_mipMapping = 0;
    u32 m_width = 0;
    u32 m_height = 0;

private:
    u64 m_serial;
};
}
