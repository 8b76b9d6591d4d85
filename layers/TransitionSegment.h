#pragma once
// A line the transition layer draws on screen: unclamped pixel x of both ends, the vertical
// centres of the two display rows, and the data rows, so a row hidden after decimation stops the
// drawing instead of drawing at a stale place.
namespace velmora_1_0 {

struct TransitionSegment {
    int x1 = 0;
    int x2 = 0;
    int y1 = 0;
    int y2 = 0;
    int fromRow = 0;
    int toRow = 0;
};

} // namespace velmora_1_0
