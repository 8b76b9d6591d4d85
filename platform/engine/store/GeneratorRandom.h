#pragma once
// The generator's source of randomness. Standard distributions may differ between standard
// libraries, so the mapping from bits to ranges is our own and a seed gives the same result
// everywhere.

#include <cstdint>

namespace dd_sarvik_2_2 {
namespace store {

class GeneratorRandom {
public:
    explicit GeneratorRandom(std::uint64_t seed);

    std::uint64_t next();
    /// In [0, bound); 0 when bound is 0.
    std::uint64_t below(std::uint64_t bound);
    /// In [low, high]; low when high < low.
    std::uint64_t between(std::uint64_t low, std::uint64_t high);
    /// In [0, 1).
    double unit();

private:
    std::uint64_t m_state;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
