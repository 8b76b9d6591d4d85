#include "layers/AttrOverTimeLayer.h"

namespace velmora_1_0 {

AttrOverTimeLayer::AttrOverTimeLayer()
{
    m_layerName = "Attribute-over-time Data";
}

AttrOverTimeLayer::~AttrOverTimeLayer() = default;

void AttrOverTimeLayer::clearLayerData(SarvikProvider* provider)
{
    provider->clearAttrOverTimeRequests(this);
    m_requests.clear();
}

void AttrOverTimeLayer::requestLayerData(SarvikProvider* provider, int row, const wxULongLong& start,
                                         const wxULongLong& end, int pixelCount)
{
    m_requests[provider->requestAttrOverTimeData(this, row, start, end, pixelCount)] = true;
}

void AttrOverTimeLayer::consumeLayerData(SarvikProvider* provider)
{
    provider->consumeAttrOverTimeDataArray(this, m_pendingData);
}

} // namespace velmora_1_0
