#pragma once
// Rasterizes a straight line of a given width into the pixels of a width x height area, without
// anti-aliasing: a pixel belongs to the line when its centre lies inside the line's stroke, the
// rectangle the segment sweeps with butt ends (the ends included). That is the geometry a 2D
// graphics library gives a butt-capped line with anti-aliasing off, so lines plotted here cover
// the pixels the chart's renderer paints for them (only centres on the outline itself may go
// either way), and every pixel can carry one exact colour.
//
// How it is called: construct it for the target size and line width, then plot() each line; the
// result is the covered pixels as horizontal runs, clipped to the area, top row first.
#include <VelmoraExport.h>

#include <vector>

namespace velmora_1_0 {

class VELMORA_API LinePlotter {
public:
    // The pixels [xFirst, xLast] of row y.
    struct Span {
        int y;
        int xFirst;
        int xLast;
    };

    LinePlotter(int width, int height, int lineWidth);

    // Replaces `spans` with the pixels of the line from (x1, y1) to (x2, y2) inside the area; a
    // line of no length covers nothing.
    void plot(int x1, int y1, int x2, int y2, std::vector<Span>& spans) const;

private:
    int m_width;
    int m_height;
    int m_lineWidth;
};

} // namespace velmora_1_0
