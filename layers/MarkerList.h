#pragma once
// The event markers a marker layer holds, sorted by row (signed), start and end, kept as three
// columns: the start and end times of every marker side by side, the rows, and the rest of each
// record. Choosing what to draw reads a million markers' times and rows at every zoom; in the
// provider's record they share 48 bytes with fields that choice never reads (and a rectangle the
// list has no use for), here they take 18, and a whole marker 26.
//
// Filled by EventMarkerLayer as answers arrive, read by MarkerDecimator (UI thread only).
#include "provider/SarvikProvider.h"
#include <VelmoraExport.h>

#include <cstdint>
#include <vector>

namespace velmora_1_0 {

class VELMORA_API MarkerList {
public:
    using EventMarker = SarvikProvider::EventMarker;

    struct Times {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };

    // The list's order: by row (signed), then start, then end.
    static bool before(const EventMarker& a, const EventMarker& b)
    {
        return before(a.row, a.startTime, a.endTime, b.row, b.startTime, b.endTime);
    }

    size_t size() const { return m_times.size(); }
    bool empty() const { return m_times.empty(); }
    const std::vector<Times>& times() const { return m_times; }
    const std::vector<short>& rows() const { return m_rows; }
    std::int32_t instanceIndex(size_t index) const { return m_facts[index].instanceIndex; }
    // The record of marker `index` as the provider handed it over, with an empty rectangle.
    EventMarker at(size_t index) const;

    // Sorts `arrivals` and places them among the markers held, after any equal ones; gives the
    // index each arrival took, in the sorted order of `arrivals`. Linear in the arrivals and in
    // the held markers that sort after the first of them: answers arriving row by row cost
    // their own size.
    std::vector<int> add(std::vector<EventMarker>& arrivals);
    // Returns the room grown ahead for arrivals once no more are coming.
    void shrinkToFit();
    void clear();
    // The first marker of `row` that starts at `start` or later; size() when there is none.
    size_t lowerBound(short row, std::uint64_t start) const;

private:
    struct Facts {
        std::int32_t value = 0;
        std::int32_t instanceIndex = 0;
    };

    static bool before(short rowA, std::uint64_t startA, std::uint64_t endA, short rowB, std::uint64_t startB,
                       std::uint64_t endB)
    {
        if (rowA != rowB)
            return rowA < rowB;
        if (startA != startB)
            return startA < startB;
        return endA < endB;
    }

    std::vector<Times> m_times;
    std::vector<short> m_rows;
    std::vector<Facts> m_facts;
};

} // namespace velmora_1_0
