#pragma once
// Counts the items a result build has done and tells its progress after every step (a table, or
// `pollItems` items of a long loop), so that a cancel is seen after a bounded amount of work;
// once the progress has said stop, every later step is refused.

#include "sarvik/ResultBuilder.h"

#include <cstddef>

namespace dd_sarvik_2_2 {

class BuildSteps {
public:
    // Items between two polls of the progress: a millisecond or two of building (lifetimes
    // took about 0.2 µs each on 100,000 threads).
    static constexpr std::size_t pollItems = 1 << 13;

    BuildSteps(const ResultBuilder::Progress& progress, std::size_t total) : m_progress(progress), m_total(total) {}

    /// Adds `items` done and tells the progress; false once it has asked to stop.
    bool advance(std::size_t items)
    {
        m_done += items;
        if (!m_stopped && m_progress)
            m_stopped = !m_progress(m_done, m_total);
        return !m_stopped;
    }

private:
    const ResultBuilder::Progress& m_progress;
    const std::size_t m_total;
    std::size_t m_done = 0;
    bool m_stopped = false;
};

}  // namespace dd_sarvik_2_2
