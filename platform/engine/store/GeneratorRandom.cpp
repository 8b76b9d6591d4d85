#include "store/GeneratorRandom.h"

namespace dd_sarvik_2_2 {
namespace store {

GeneratorRandom::GeneratorRandom(std::uint64_t seed)
    : m_state(seed)
{
}

// SplitMix64: one addition and a few multiplies per number, and every seed is a good one.
std::uint64_t GeneratorRandom::next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t GeneratorRandom::below(std::uint64_t bound)
{
    return bound == 0 ? 0 : next() % bound;
}

std::uint64_t GeneratorRandom::between(std::uint64_t low, std::uint64_t high)
{
    if (high <= low)
        return low;
    const std::uint64_t span = high - low + 1;
    return low + (span == 0 ? next() : next() % span);
}

double GeneratorRandom::unit()
{
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

}  // namespace store
}  // namespace dd_sarvik_2_2
