#include "MarkerProvider.h"

#include <string>

namespace marker_test {

void MarkerProvider::file(tarquel_1_0::GraphLayer* layer, unsigned int requestId, short row,
                          std::vector<EventMarker> markers, bool global)
{
    EventMarkerData data;
    data.layer = layer;
    data.row = row;
    data.requestId = requestId;
    data.markers = std::move(markers);
    wxCriticalSectionLocker lock(m_resultsLock);
    (global ? m_globalEventMarkerData : m_eventMarkerData).push_back(std::move(data));
}

std::wstring MarkerProvider::getTooltip(const tarquel_1_0::DataSource*, int instanceIndex)
{
    return L"\nInstance " + std::to_wstring(instanceIndex);
}

velmora_1_0::SarvikProvider::EventMarker marker(short row, std::uint64_t start, std::uint64_t end,
                                                std::int32_t instance)
{
    velmora_1_0::SarvikProvider::EventMarker m;
    m.row = row;
    m.startTime = start;
    m.endTime = end;
    m.instanceIndex = instance;
    return m;
}

std::vector<velmora_1_0::SarvikProvider::EventMarker> randomMarkers(short row, int count, std::uint64_t duration,
                                                                    std::mt19937_64& random)
{
    constexpr std::uint64_t kLongest = 3000000;
    std::uniform_int_distribution<std::uint64_t> time(0, duration - kLongest);
    std::uniform_int_distribution<std::uint64_t> length(0, kLongest);
    std::uniform_int_distribution<int> kind(0, 4);
    std::vector<velmora_1_0::SarvikProvider::EventMarker> markers;
    markers.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::uint64_t start = time(random);
        markers.push_back(marker(row, start, kind(random) == 0 ? start + length(random) : start));
    }
    return markers;
}

} // namespace marker_test
