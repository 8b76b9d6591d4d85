#include "layers/OverTimeSampleScale.h"

#include <algorithm>
#include <cmath>

namespace velmora_1_0 {

OverTimeSampleScale::OverTimeSampleScale(double scale, int available)
    : m_scale(scale), m_available(std::max(1, available))
{
}

int OverTimeSampleScale::height(double value) const
{
    if (value == 0.0)
        return 0;
    const double pixels = value / m_scale * m_available;
    // A zero or missing scale makes every positive sample full height; NaN falls to the minimum.
    if (!(pixels >= 1.0))
        return 1;
    if (pixels >= m_available)
        return m_available;
    return static_cast<int>(pixels);
}

} // namespace velmora_1_0
