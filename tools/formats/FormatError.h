// A file that does not hold what its format says, reported by the self-check readers.
#pragma once

#include <stdexcept>

namespace KorvaneTools
{
class FormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
}
