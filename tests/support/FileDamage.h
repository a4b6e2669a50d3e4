// Damaged copies of a good file, for the tests that prove a reader survives bad input: the file cut at every
// length, fields overwritten with huge numbers, and seeded random bytes. Files that open with the 13-byte
// binary header can have their stored length made to match the damaged size, so that the damage gets past the
// header check and reaches the body reader.
#pragma once

#include "tests/support/BoundedRun.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace TestSupport
{
struct DamagedFile
{
    // What was done to the file, for the failure messages.
    std::string name;
    std::string bytes;
};

enum class StoredLength
{
    AsItWas,
    MatchingTheDamage
};

// Every prefix shorter than the file, from the empty file on.
std::vector<DamagedFile> CutsAtEveryLength(const std::string& good, StoredLength length);
// Every cut, with the stored length as it was and again made to match the cut.
std::vector<DamagedFile> EveryCut(const std::string& good);
// Counts that would ask a reader for gigabytes or for more records than any file holds.
inline const std::vector<std::uint32_t> HugeCounts = {0xFFFFFFFFu, 0x80000000u, 0x10000000u, 0x00FFFFFFu};
// The file with the little-endian u32 at each offset replaced by each value, the stored length kept true.
std::vector<DamagedFile> WithU32At(const std::string& good, const std::vector<std::size_t>& offsets,
                                   const std::vector<std::uint32_t>& values, StoredLength length);
// Count files with some bytes after the first header bytes overwritten by random ones, and as many of random
// bytes of random length behind the first header bytes, all drawn from the seed.
std::vector<DamagedFile> RandomBytes(const std::string& good, std::size_t headerBytes, std::uint32_t seed,
                                     std::size_t count, StoredLength length);
// The stored length of a binary-header file set to its size (no change for files shorter than four bytes).
std::string WithTrueLength(std::string bytes);

// Checks every damaged file in one bounded child: the check writes the file, loads it and gives "" when what
// it got is accepted, else a description of it. Each case is named on the standard error before it runs, so
// the last name in a crashed child's errors is the culprit. The finished outcome's text lists the failures.
BoundedOutcome CheckEachBounded(const std::vector<DamagedFile>& files,
                                const std::function<std::string(const DamagedFile&)>& check,
                                unsigned seconds = BoundedBatchSeconds);
}
