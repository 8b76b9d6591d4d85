#pragma once
// The over-time layer of a series computed from a derived query, fetched through the provider's
// derived entry points.
// Everything but where the data comes from (request timing, stale-answer filtering, storage,
// scaling, drawing, hit test, tooltips, legend) is OverTimeLayer's.
#include "layers/OverTimeLayer.h"

namespace velmora_1_0 {

class VELMORA_API DerivedOverTimeLayer : public OverTimeLayer {
public:
    DerivedOverTimeLayer();
    DerivedOverTimeLayer(const DerivedOverTimeLayer& other) = default;
    DerivedOverTimeLayer& operator=(const DerivedOverTimeLayer& other) = default;
    ~DerivedOverTimeLayer() override;

protected:
    void clearLayerData(SarvikProvider* provider) override;
    void requestLayerData(SarvikProvider* provider, int row, const wxULongLong& start, const wxULongLong& end,
                          int pixelCount) override;
    void consumeLayerData(SarvikProvider* provider) override;
};

} // namespace velmora_1_0
