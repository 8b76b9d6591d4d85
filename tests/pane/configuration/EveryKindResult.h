#pragma once
// A result made by hand for the every-kind screenshot: two threads living through one
// millisecond of data, and for every layer kind a window of its own (a tenth of the data) in
// which only that kind has data, on a row chosen so that a wrong row shows as well as a wrong
// time. The queries of every_kind_catalog.xml read it.
#include <dd_sarvik_2_2/Sarvik.h>

#include <cstdint>

namespace pane_test {

class EveryKindResult {
public:
    // Nanoseconds of data; one tick is one nanosecond.
    static constexpr std::uint64_t DURATION = 1000000;

    enum Kind { Time, Count, InstanceCount, Derived, EventMarker, DurationMarker, State, GlobalEvent, GlobalTask,
                Attribute, KIND_COUNT };

    // Where a kind's data lies: its data row (0 for the ruler and the row of the counter area)
    // and the time it covers, in nanoseconds from the start of the data (start == end for an
    // instant). The transitions leave row 0 at the start of the State span and reach row 1 at
    // its end.
    struct Placement {
        int dataRow;
        std::uint64_t start;
        std::uint64_t end;
    };
    static Placement placementOf(Kind kind);

    EveryKindResult();
    EveryKindResult(const EveryKindResult&) = delete;
    EveryKindResult& operator=(const EveryKindResult&) = delete;

    dd_sarvik_2_2::Result* get() const { return m_result; }

private:
    dd_sarvik_2_2::Sarvik m_engine;
    dd_sarvik_2_2::Result* m_result = nullptr;
};

} // namespace pane_test
