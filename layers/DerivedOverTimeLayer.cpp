#include "layers/DerivedOverTimeLayer.h"

namespace velmora_1_0 {

DerivedOverTimeLayer::DerivedOverTimeLayer()
{
    m_layerName = "Derived Over-time Data";
}

DerivedOverTimeLayer::~DerivedOverTimeLayer() = default;

void DerivedOverTimeLayer::clearLayerData(SarvikProvider* provider)
{
    provider->clearDerivedOverTimeRequests(this);
    m_requests.clear();
}

void DerivedOverTimeLayer::requestLayerData(SarvikProvider* provider, int row, const wxULongLong& start,
                                            const wxULongLong& end, int pixelCount)
{
    m_requests[provider->requestDerivedOverTimeData(this, row, start, end, pixelCount)] = true;
}

void DerivedOverTimeLayer::consumeLayerData(SarvikProvider* provider)
{
    provider->consumeDerivedOverTimeDataArray(this, m_pendingData);
}

} // namespace velmora_1_0
