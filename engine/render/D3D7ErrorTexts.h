// The readable sentence of every DirectDraw result code, as the log shows a failed device call.
#pragma once

#include "engine/core/Types.h"

#include <cstddef>

namespace VelkorEngine
{
class D3D7ErrorTexts
{
public:
    struct Entry
    {
        i32 code;
        const char* name;
        const char* sentence;
    };

    // The sentence for a code, or null when the table has none.
    static const char* Find(i32 code);
    static std::size_t Count();
    static const Entry& At(std::size_t index);
};
}
