#include "layers/SliceLanes.h"

#include <algorithm>

namespace velmora_1_0 {

SliceLanes::SliceLanes(int limit) : m_limit(std::clamp(limit, 1, kMaxLanes)) {}

int SliceLanes::shown(int depth) const
{
    return std::clamp(depth, 0, m_limit);
}

int SliceLanes::hidden(int depth) const
{
    return std::max(depth - m_limit, 0);
}

int SliceLanes::extraHeight(int depth) const
{
    return depth > 0 ? shown(depth) * kLaneHeight + 1 : 0;
}

int SliceLanes::laneAt(int dy, int depth) const
{
    if (dy < 0)
        return -1;
    const int lane = dy / kLaneHeight;
    return lane < shown(depth) ? lane : -1;
}

} // namespace velmora_1_0
