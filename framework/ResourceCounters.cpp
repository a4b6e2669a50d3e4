// Counter substitution in resource names.
#include "framework/ResourceCounters.h"

#include "engine/core/StringHelpers.h"

#include <algorithm>
#include <cctype>

namespace GameTools
{
namespace
{
VelkorEngine::u32 ReadWidth(const std::string& digits)
{
    VelkorEngine::u32 width = 0;
    for (char digit : digits)
    {
        if (!std::isdigit(static_cast<unsigned char>(digit)))
            break;
        width = std::min<VelkorEngine::u32>(width * 10 + static_cast<VelkorEngine::u32>(digit - '0'), MaxCounterWidth);
    }
    return width;
}
}

std::string SubstituteCounters(const std::string& text, const std::vector<ResourceCounter>& counters)
{
    std::string result = text;
    for (const ResourceCounter& counter : counters)
    {
        const size_t start = result.find("%" + counter.name);
        if (start == std::string::npos)
            continue;
        const size_t widthStart = start + 1 + counter.name.size();
        const size_t end = result.find('%', widthStart);
        if (end == std::string::npos)
            continue;
        const std::string token = result.substr(start, end - start + 1);
        const VelkorEngine::u32 width = ReadWidth(result.substr(widthStart, end - widthStart));
        VelkorEngine::StringReplaceAll(result, token, VelkorEngine::UIntToString(counter.value, width));
    }
    return result;
}
}
