// Packs for tests, built by the pack writer from (entry name, bytes) pairs.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace TestSupport
{
using PackContents = std::vector<std::pair<std::string, std::string>>;

// Writes a pack holding the entries in this order.
void WriteTestPack(const std::string& path, const PackContents& entries);
// The bytes of a pack as the pack writer makes them.
std::string PackBytes(const PackContents& entries);
}
