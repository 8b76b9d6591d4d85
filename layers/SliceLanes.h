#pragma once
// How a row's nesting lanes are laid out under its strip: every lane has the same height, and a
// row shows at most kMaxLanes of them. A deeper row shows its first lanes and marks the bottom
// lane with "+N", N being the lanes left out. A plain model, shared by drawing, hit tests and
// the row height the slice layer asks for.
#include <VelmoraExport.h>

namespace velmora_1_0 {

class VELMORA_API SliceLanes {
public:
    static constexpr int kLaneHeight = 16;
    static constexpr int kMaxLanes = 16;

    // Lanes shown for a row needing `depth` lanes.
    static int shown(int depth);
    // Lanes left out (the N of "+N"); 0 when every lane is shown.
    static int hidden(int depth);
    // The extra height the row asks for: its shown lanes and a pixel of space below them.
    static int extraHeight(int depth);
    // The lane at `dy` pixels below the top of the lanes; -1 outside the shown lanes.
    static int laneAt(int dy, int depth);
};

} // namespace velmora_1_0
