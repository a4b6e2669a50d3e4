// SHA-256 of a byte string, for the stage manifest and the determinism checks.
#pragma once

#include <string>

namespace KorvaneTools
{
// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const std::string& bytes);
}
