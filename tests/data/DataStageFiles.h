// The generated tree the build wrote (build/data-stage), read by the data tests.
#pragma once

#include <string>

namespace DataTest
{
// The bytes of a file below data/ ("ui/fonts/en/sans_20.vef"); empty when it is missing.
std::string StageFile(const std::string& path);
bool StageHas(const std::string& path);
}
