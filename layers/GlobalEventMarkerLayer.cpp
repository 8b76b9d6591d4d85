#include "layers/GlobalEventMarkerLayer.h"

#include <tarquel_1_0/Ruler.h>

namespace velmora_1_0 {

GlobalEventMarkerLayer::GlobalEventMarkerLayer()
{
    m_layerName = "Global Event Markers";
}

GlobalEventMarkerLayer::~GlobalEventMarkerLayer() = default;

void GlobalEventMarkerLayer::requestData(bool onlyIfMissing)
{
    SarvikProvider* source = providerToLoad(onlyIfMissing);
    if (!source)
        return;
    source->clearGlobalEventMarkerRequests(this);
    m_requests.clear();
    m_requests[source->requestGlobalEventMarkers(this)] = true;
    startLoading(1);
}

void GlobalEventMarkerLayer::consumeItems()
{
    if (SarvikProvider* source = provider())
        source->consumeGlobalEventMarkerDataArray(this, m_pendingData);
}

wxRect GlobalEventMarkerLayer::drawMarker(tarquel_1_0::Renderer& renderer, wxDC& dc, int x1, int x2, int,
                                          const EventMarker& marker, bool highlight, bool measureOnly,
                                          bool innerPass)
{
    const tarquel_1_0::Ruler* ruler = getRuler();
    const int y = ruler ? ruler->getWindowSize().GetHeight() - 1 : 0;
    return EventMarkerLayer::drawMarker(renderer, dc, x1, x2, y, marker, highlight, measureOnly, innerPass);
}

bool GlobalEventMarkerLayer::hittest(int x, int y)
{
    const bool changed = EventMarkerLayer::hittest(x, y);
    tarquel_1_0::Ruler* ruler = getRuler();
    if (!ruler)
        return changed;
    const std::vector<EventMarker> hovered = getHittestItems();
    if (hovered.empty())
        ruler->setFrameAnchorPos(-1, -1);
    else
        ruler->setFrameAnchorPos(ruler->xFromTime(hovered.front().startTime, true),
                                 ruler->xFromTime(hovered.back().endTime, true));
    return changed;
}

} // namespace velmora_1_0
