#pragma once
// How a row's nesting lanes are laid out under its strip: every lane has the same height, and a
// row shows at most `limit` of them. A deeper row shows its first lanes and marks the bottom
// lane with "+N", N being the lanes left out. A plain value, shared by drawing, hit tests and
// the row height the slice layer asks for.
//
// Rows start collapsed to a few lanes, so a window shows many threads and still their nesting;
// the user asks for every lane (up to kMaxLanes) from the layer's legend menu.
#include <VelmoraExport.h>

namespace velmora_1_0 {

class VELMORA_API SliceLanes {
public:
    static constexpr int kLaneHeight = 14;
    static constexpr int kCollapsedLanes = 3;
    static constexpr int kMaxLanes = 16;

    explicit SliceLanes(int limit = kMaxLanes);

    int limit() const { return m_limit; }
    // Lanes shown for a row needing `depth` lanes.
    int shown(int depth) const;
    // Lanes left out (the N of "+N"); 0 when every lane is shown.
    int hidden(int depth) const;
    // The extra height the row asks for: its shown lanes and a pixel of space below them.
    int extraHeight(int depth) const;
    // The lane at `dy` pixels below the top of the lanes; -1 outside the shown lanes.
    int laneAt(int dy, int depth) const;

private:
    int m_limit; // 1 to kMaxLanes
};

} // namespace velmora_1_0
