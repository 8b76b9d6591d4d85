#pragma once
// dd_filter_state: the content of one named filter at one moment, immutable. The filter store
// replaces a filter's state on every write and hands out shared snapshots, so worker threads
// evaluate a consistent filter while the UI thread writes the next one.
//
// Timestamps: each write stamps the parts it changes with a value from the store's clock, which
// only grows, so equal timestamps mean an unchanged filter. A filter that was never written has
// both timestamps 0.

#include <dd_sarvik_2_2/filter/dd_attribute_filter.h>
#include <dd_sarvik_2_2/filter/dd_time_filter.h>

#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {

struct dd_filter_state {
    std::vector<dd_time_filter> time_items;
    std::vector<dd_attribute_filter> profile_items;
    std::uint64_t profile_ts = 0;   // changed by clear and by adding profile items
    std::uint64_t time_ts = 0;      // changed by clear and by adding time items

    bool has_filters() const { return !time_items.empty() || !profile_items.empty(); }
};

}  // namespace dd_sarvik_2_2
