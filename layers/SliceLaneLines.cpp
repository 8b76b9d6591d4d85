#include "layers/SliceLaneLines.h"

#include "layers/SliceColor.h"
#include "layers/SliceRow.h"

#include <tarquel_1_0/Renderer.h>

#include <algorithm>

namespace velmora_1_0 {

using tarquel_1_0::Renderer;

void SliceLaneLines::use(const std::shared_ptr<const SliceRow>& row, const SliceDecimator::Mapping& mapping)
{
    if (row == m_row && mapping.start == m_mapping.start && mapping.nsPerPixel == m_mapping.nsPerPixel &&
        mapping.width == m_mapping.width)
        return;
    m_row = row;
    m_mapping = mapping;
    // Lanes are made again as they are asked for, in the memory they had.
    m_lanes.resize(row ? static_cast<size_t>(row->depth()) : 0);
    for (Lane& lane : m_lanes) {
        lane.made = false;
        lane.boxes.clear();
    }
}

const SliceLaneLines::Lane& SliceLaneLines::lane(int index)
{
    Lane& lane = m_lanes[static_cast<size_t>(index)];
    if (lane.made)
        return lane;
    lane.made = true;
    SliceDecimator(m_mapping).choose(m_row->slices(), m_row->lane(index), lane.boxes);
    lane.colours.assign(static_cast<size_t>(m_mapping.width + 2), 0);
    const std::uint32_t run = Renderer::lineColour(SliceColor::run());
    const std::vector<int>& entries = m_row->lane(index);
    // Boxes in order: where two share a column, the later one shows, as when painted one by one.
    for (const SliceDecimator::Box& box : lane.boxes) {
        int x1 = 0;
        int x2 = 0;
        span(box, m_mapping.width, x1, x2);
        const std::uint32_t colour =
            box.count > 1 ? run : m_row->lineColour(m_row->slices()[static_cast<size_t>(entries[box.slice])]);
        std::fill(lane.colours.begin() + (x1 + 1), lane.colours.begin() + (x2 + 2), colour);
    }
    return lane;
}

} // namespace velmora_1_0
