// The platform layer's one UTF-8 decoder.
#include "platform/core/Utf8.h"

namespace Platform
{
std::size_t DecodeUtf8(const char* text, std::size_t available, char32_t& code)
{
    if (available == 0)
        return 0;
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80            ? 1
                               : (lead & 0xE0) == 0xC0 ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 0;
    if (length == 0 || length > available)
        return 0;
    char32_t decoded = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
    {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        decoded = (decoded << 6) | (byte(i) & 0x3F);
    }
    code = decoded;
    return length;
}
}
