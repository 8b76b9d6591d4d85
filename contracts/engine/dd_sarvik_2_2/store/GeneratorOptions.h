#pragma once
// The size and shape of a synthetic result (see ResultGenerator). Counts are totals over the
// whole result; the generator spreads them over the rows in proportion to their lifetimes.

#include <cstdint>

namespace dd_sarvik_2_2 {
namespace store {

struct GeneratorOptions {
    std::uint32_t threads = 16;         // rows of "dd_thread"
    std::uint32_t processes = 4;        // processes the threads belong to (at most threads)
    std::uint64_t timeOrigin = 1000000; // tick of the collection start
    std::uint64_t tickFrequency = 1000000000;
    std::uint64_t duration = 10000000000ull;   // ticks
    std::uint64_t samples = 200000;
    std::uint64_t markers = 800;        // per-row markers, half instants, half durations
    std::uint64_t transitions = 300;    // per-row waits, each naming its signalling row
    std::uint64_t globalMarkers = 200;  // half global instants, half global durations
    std::uint64_t counterValues = 1000; // values of each global counter
    std::uint64_t seed = 1;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
