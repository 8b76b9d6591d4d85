#pragma once
// The boxes and the line of colours of each lane of one row at one mapping of time to columns. A
// lane's line is what SliceLayer paints on all the lane's lines at once; kept from frame to frame,
// a repaint of an unchanged view copies it instead of choosing the boxes again, which is most of
// the work on dense rows. SliceLayer keeps one per row in view (UI thread); lanes are made when
// first asked for.
#include <VelmoraExport.h>

#include "layers/SliceDecimator.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace velmora_1_0 {

class SliceRow;

class VELMORA_API SliceLaneLines {
public:
    struct Lane {
        bool made = false;
        std::vector<SliceDecimator::Box> boxes;
        std::vector<std::uint32_t> colours; // columns -1 .. width; 0 where no box is
    };

    // Starts over unless it already holds `row` at `mapping`.
    void use(const std::shared_ptr<const SliceRow>& row, const SliceDecimator::Mapping& mapping);
    const Lane& lane(int index);
    // The lane if it was made since the row or mapping last changed, else null.
    const Lane* made(int index) const
    {
        return index >= 0 && index < static_cast<int>(m_lanes.size()) && m_lanes[static_cast<size_t>(index)].made
                   ? &m_lanes[static_cast<size_t>(index)]
                   : nullptr;
    }
    // Where a box is painted: clamped to a column either side of the view, and a wide box keeps a
    // pixel free at its end so that neighbours stay apart.
    // Inline: a frame asks for it once per box, by the million.
    static void span(const SliceDecimator::Box& box, int width, int& x1, int& x2)
    {
        x1 = std::max(box.x1, -1);
        x2 = std::min(box.x2 - (box.x2 - box.x1 >= 3 ? 1 : 0), width);
    }

private:
    std::shared_ptr<const SliceRow> m_row; // held, so that a new row never reuses its address
    SliceDecimator::Mapping m_mapping;
    std::vector<Lane> m_lanes;
};

} // namespace velmora_1_0
