#pragma once
// Shared by the filter tests: a profile item, and a small opened result for the display tests: three threads with lifetimes and a
// per-row marker table, written to a temporary result directory and opened by the engine.
//
//   thread 0 lives [0, 100), thread 1 [50, 200), thread 2 [150, 300) (ticks)
//   "marker" (single band, instances of "marker_kind"):
//     row 0: [10, 20) kind 0, [20, 30) kind 1, [60, 70) kind 0
//     row 2: [160, 170) kind 1, the instant 250 kind 0

#include "ScratchDirectory.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/filter/dd_attribute_filter.h>

#include <cstdint>
#include <filesystem>

namespace filter_test {

/// An item on instance `value` of `table`, as the timeline writes them for rows and items.
inline dd_sarvik_2_2::dd_attribute_filter item(const wchar_t* table, std::int64_t value, bool negated = false)
{
    return dd_sarvik_2_2::dd_attribute_filter(table, L"dd_band", value,
                                              dd_sarvik_2_2::dd_attribute_filter::op_equal, negated);
}

class FilterTestResult {
public:
    FilterTestResult();
    FilterTestResult(const FilterTestResult&) = delete;
    FilterTestResult& operator=(const FilterTestResult&) = delete;

    bool isOpen() const { return m_result != nullptr; }
    ddb_2_2::pageable_database& database() { return m_result->get_database(); }

private:
    ScratchDirectory m_directory; // outlives the engine that has the result open
    dd_sarvik_2_2::Sarvik m_engine;
    dd_sarvik_2_2::Result* m_result = nullptr;
};

}  // namespace filter_test
