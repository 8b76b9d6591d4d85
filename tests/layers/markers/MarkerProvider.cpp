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

} // namespace marker_test
