// Seeded damage of good files.
#include "tests/support/FileDamage.h"

#include <cstdio>
#include <random>

namespace TestSupport
{
namespace
{
void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4 && offset + i < bytes.size(); ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Stored(std::string bytes, StoredLength length)
{
    return length == StoredLength::MatchingTheDamage ? WithTrueLength(std::move(bytes)) : bytes;
}

std::string RandomText(std::mt19937& random, std::size_t size)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(size, '\0');
    for (char& c : text)
        c = static_cast<char>(byte(random));
    return text;
}
}

std::string WithTrueLength(std::string bytes)
{
    if (bytes.size() >= 4)
        PutU32(bytes, 0, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

std::vector<DamagedFile> CutsAtEveryLength(const std::string& good, StoredLength length)
{
    std::vector<DamagedFile> files;
    for (std::size_t size = 0; size < good.size(); ++size)
        files.push_back({"cut to " + std::to_string(size) + " bytes", Stored(good.substr(0, size), length)});
    return files;
}

std::vector<DamagedFile> EveryCut(const std::string& good)
{
    std::vector<DamagedFile> files = CutsAtEveryLength(good, StoredLength::AsItWas);
    for (DamagedFile& file : CutsAtEveryLength(good, StoredLength::MatchingTheDamage))
        files.push_back({file.name + ", length matching", file.bytes});
    return files;
}

std::vector<DamagedFile> WithU32At(const std::string& good, const std::vector<std::size_t>& offsets,
                                   const std::vector<std::uint32_t>& values, StoredLength length)
{
    std::vector<DamagedFile> files;
    for (std::size_t offset : offsets)
        for (std::uint32_t value : values)
        {
            std::string bytes = good;
            PutU32(bytes, offset, value);
            files.push_back({std::to_string(value) + " at byte " + std::to_string(offset), Stored(bytes, length)});
        }
    return files;
}

std::vector<DamagedFile> RandomBytes(const std::string& good, std::size_t headerBytes, std::uint32_t seed,
                                     std::size_t count, StoredLength length)
{
    std::mt19937 random(seed);
    std::vector<DamagedFile> files;
    const std::string header = good.substr(0, headerBytes);
    for (std::size_t i = 0; i < count; ++i)
    {
        std::string flipped = good;
        const std::size_t changes = 1 + random() % 4;
        for (std::size_t change = 0; change < changes && flipped.size() > headerBytes; ++change)
            flipped[headerBytes + random() % (flipped.size() - headerBytes)] = RandomText(random, 1)[0];
        files.push_back({"seed " + std::to_string(seed) + " flip " + std::to_string(i), Stored(flipped, length)});
        const std::string noise = header + RandomText(random, random() % (2 * good.size() + 8));
        files.push_back({"seed " + std::to_string(seed) + " noise " + std::to_string(i), Stored(noise, length)});
    }
    return files;
}

BoundedOutcome CheckEachBounded(const std::vector<DamagedFile>& files,
                                const std::function<std::string(const DamagedFile&)>& check, unsigned seconds)
{
    return RunBounded(
        [&] {
            std::string failures;
            for (const DamagedFile& file : files)
            {
                std::fprintf(stderr, "case: %s\n", file.name.c_str());
                const std::string got = check(file);
                if (!got.empty())
                    failures += file.name + ": " + got + "\n";
            }
            return failures;
        },
        seconds);
}
}
