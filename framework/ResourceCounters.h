// The loop counters of a resource list and their substitution into names and file names: "%i%" becomes the
// counter's value and "%i2%" the value padded with zeros to two digits.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace GameTools
{
struct ResourceCounter
{
    std::string name;
    VelkorEngine::u32 value = 0;
};

// Padding wider than this is not a name anyone writes; it is cut so a typo cannot ask for a huge text.
constexpr VelkorEngine::u32 MaxCounterWidth = 10;

// Each counter in order, outermost first, replaces every copy of its first token in the text.
std::string SubstituteCounters(const std::string& text, const std::vector<ResourceCounter>& counters);
}
