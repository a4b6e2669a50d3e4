// A small seeded random source (xorshift): the same seed gives the same numbers on every machine, which keeps
// the generated data byte-identical from run to run.
#pragma once

#include <cstdint>

namespace KorvaneTools
{
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_state(seed == 0 ? 0x9E3779B9u : seed) {}

    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 8) / 16777216.0; }
    // Uniform in [-1, 1).
    double Signed() { return Unit() * 2.0 - 1.0; }

private:
    std::uint32_t m_state;
};
}
