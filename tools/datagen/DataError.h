// A fault in the generator's input or output (a missing font, a text key missing in a language, a glyph a
// font lacks): the generator stops with this message and writes nothing.
#pragma once

#include <stdexcept>

namespace KorvaneTools
{
class DataError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
}
