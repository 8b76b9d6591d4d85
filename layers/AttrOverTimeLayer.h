#pragma once
// The over-time layer of an attribute's value over time, fetched through the provider's attribute
// entry points. Everything else (request timing, stale-answer filtering, storage, scaling, drawing,
// hit test, tooltips, legend) is OverTimeLayer's.
#include "layers/OverTimeLayer.h"

namespace velmora_1_0 {

class VELMORA_API AttrOverTimeLayer : public OverTimeLayer {
public:
    AttrOverTimeLayer();
};

} // namespace velmora_1_0
