#pragma once
// Turns the samples of one over-time row into bar heights in pixels: a sample's share of the
// row's scale times the pixels available, truncated toward zero. Every non-zero sample is at least
// one pixel high (tiny and negative samples stay visible) and no sample rises above the row, even
// when it exceeds the scale or the scale is zero. A sample of exactly zero has height 0: nothing
// is drawn for it. Built per row by OverTimeLayer; a plain value type without windows.
#include <VelmoraExport.h>

namespace velmora_1_0 {

class VELMORA_API OverTimeSampleScale {
public:
    // `scale` is the value drawn at full height; `available` the pixels above the baseline.
    OverTimeSampleScale(double scale, int available);

    int height(double value) const;

private:
    double m_scale;
    int m_available;
};

} // namespace velmora_1_0
