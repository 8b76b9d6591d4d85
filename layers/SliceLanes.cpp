#include "layers/SliceLanes.h"

#include <algorithm>

namespace velmora_1_0 {

int SliceLanes::shown(int depth)
{
    return std::clamp(depth, 0, kMaxLanes);
}

int SliceLanes::hidden(int depth)
{
    return std::max(depth - kMaxLanes, 0);
}

int SliceLanes::extraHeight(int depth)
{
    return depth > 0 ? shown(depth) * kLaneHeight + 1 : 0;
}

int SliceLanes::laneAt(int dy, int depth)
{
    if (dy < 0)
        return -1;
    const int lane = dy / kLaneHeight;
    return lane < shown(depth) ? lane : -1;
}

} // namespace velmora_1_0
