// The device-independent part of a texture that the render system relies on: the key it is shared under and
// a serial number that no later texture reuses, by which the render-state cache knows a bound texture.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class Texture2D
{
public:
    explicit Texture2D(const std::string& keyName);
    virtual ~Texture2D();

    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    const std::string& GetKeyName() const { return m_keyName; }
    // Never 0 and never the same for two textures of one run, even when one takes the other's address.
    u64 GetSerial() const { return m_serial; }

private:
    std::string m_keyName;
    u64 m_serial;
};
}
