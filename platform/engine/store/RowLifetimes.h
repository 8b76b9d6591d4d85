#pragma once
// The lifetimes of the generated rows, and how per-row items are laid out inside them.
//
// share() spreads a total over the rows in proportion to their lifetimes, so long-lived rows
// get more samples and waits. slot() cuts a lifetime into equal slots, one per item, which is
// how the generator keeps a row's samples (and waits) sorted and free of overlaps.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {
namespace store {

class RowLifetimes {
public:
    struct Span {
        std::uint64_t start = 0;
        std::uint64_t end = 0;   // end >= start
    };

    void add(Span lifetime) { m_lifetimes.push_back(lifetime); }

    std::size_t size() const { return m_lifetimes.size(); }
    const Span& operator[](std::size_t row) const { return m_lifetimes[row]; }

    /// Per-row counts that sum to exactly `total`.
    std::vector<std::uint64_t> share(std::uint64_t total) const;
    /// Slot `index` of `count` equal slots of the row's lifetime.
    Span slot(std::size_t row, std::uint64_t index, std::uint64_t count) const;
    /// True when `tick` lies inside the row's lifetime.
    bool alive(std::size_t row, std::uint64_t tick) const;

private:
    std::vector<Span> m_lifetimes;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
