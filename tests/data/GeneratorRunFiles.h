// Runs generator groups over a copy of parts of data-src with some files replaced, for tests that check the
// generator refuses hand-written data the game could not use.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace DataTest
{
// Copies the data-src folders named (e.g. "levels"), writes the replaced files over them (path below
// data-src → bytes), runs the groups and returns the generator's error, or "" when it passed.
std::string GenerateWithReplacedSources(const std::vector<std::string>& folders,
                                        const std::map<std::string, std::string>& replaced,
                                        const std::vector<std::string>& groups);
// A file of data-src as checked in.
std::string SourceFile(const std::string& path);
}
