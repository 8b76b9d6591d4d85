#include "layers/MarkerList.h"

#include <algorithm>

namespace velmora_1_0 {

MarkerList::EventMarker MarkerList::at(size_t index) const
{
    EventMarker marker;
    marker.row = m_rows[index];
    marker.startTime = m_times[index].start;
    marker.endTime = m_times[index].end;
    marker.value = m_facts[index].value;
    marker.instanceIndex = m_facts[index].instanceIndex;
    return marker;
}

std::vector<int> MarkerList::add(std::vector<EventMarker>& arrivals)
{
    const auto order = [](const EventMarker& a, const EventMarker& b) { return before(a, b); };
    // Answers usually come sorted already.
    if (!std::is_sorted(arrivals.begin(), arrivals.end(), order))
        std::stable_sort(arrivals.begin(), arrivals.end(), order);
    size_t held = size();
    size_t coming = arrivals.size();
    m_times.resize(held + coming);
    m_rows.resize(held + coming);
    m_facts.resize(held + coming);
    std::vector<int> places(coming);
    // Merged from the back into the grown columns: a held marker moves only when an arrival
    // sorts before it, and an arrival goes after the held markers equal to it.
    for (size_t to = held + coming; coming > 0;) {
        --to;
        const EventMarker& arrival = arrivals[coming - 1];
        const size_t from = held - 1;
        if (held > 0 && before(arrival.row, arrival.startTime, arrival.endTime, m_rows[from], m_times[from].start,
                               m_times[from].end)) {
            m_times[to] = m_times[from];
            m_rows[to] = m_rows[from];
            m_facts[to] = m_facts[from];
            --held;
        } else {
            m_times[to] = {arrival.startTime, arrival.endTime};
            m_rows[to] = arrival.row;
            m_facts[to] = {arrival.value, arrival.instanceIndex};
            places[--coming] = static_cast<int>(to);
        }
    }
    return places;
}

void MarkerList::shrinkToFit()
{
    m_times.shrink_to_fit();
    m_rows.shrink_to_fit();
    m_facts.shrink_to_fit();
}

void MarkerList::clear()
{
    // The memory goes too: a layer cleared is usually loaded with other markers or none.
    m_times = {};
    m_rows = {};
    m_facts = {};
}

size_t MarkerList::lowerBound(short row, std::uint64_t start) const
{
    size_t low = 0;
    size_t high = size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (before(m_rows[middle], m_times[middle].start, m_times[middle].end, row, start, 0))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace velmora_1_0
