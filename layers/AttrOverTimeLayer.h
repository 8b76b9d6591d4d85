#pragma once
// The over-time layer of an attribute's value over time, fetched through the provider's attribute
// entry points.
// Everything but where the data comes from (request timing, stale-answer filtering, storage,
// scaling, drawing, hit test, tooltips, legend) is OverTimeLayer's.
#include "layers/OverTimeLayer.h"

namespace velmora_1_0 {

class VELMORA_API AttrOverTimeLayer : public OverTimeLayer {
public:
    AttrOverTimeLayer();
    AttrOverTimeLayer(const AttrOverTimeLayer& other) = default;
    AttrOverTimeLayer& operator=(const AttrOverTimeLayer& other) = default;
    ~AttrOverTimeLayer() override;

protected:
    void clearLayerData(SarvikProvider* provider) override;
    void requestLayerData(SarvikProvider* provider, int row, const wxULongLong& start, const wxULongLong& end,
                          int pixelCount) override;
    void consumeLayerData(SarvikProvider* provider) override;
};

} // namespace velmora_1_0
