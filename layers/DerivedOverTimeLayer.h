#pragma once
// The over-time layer of a series computed from a derived query, fetched through the provider's
// derived entry points. Everything else (request timing, stale-answer filtering, storage, scaling,
// drawing, hit test, tooltips, legend) is OverTimeLayer's.
#include "layers/OverTimeLayer.h"

namespace velmora_1_0 {

class VELMORA_API DerivedOverTimeLayer : public OverTimeLayer {
public:
    DerivedOverTimeLayer();
};

} // namespace velmora_1_0
