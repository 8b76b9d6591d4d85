#pragma once
// The lines and points of one over-time row, collected before anything is drawn so that the whole
// row goes to the DC as one fill of boxes, with no pen or brush change between columns. It takes
// the same primitives as the chart's renderer and keeps their pixels: a point is one pixel; a
// straight line of width w covers (w - 1) / 2 pixels before its axis and w / 2 after it, both end
// points included; a sloped line covers what the DC paints for it, as OverTimeSlopeStencils learnt.
// The pixels are kept as vertical spans per column and merged when the boxes are taken: touching
// spans of a column become one, and equal spans of neighbouring columns one wider box.
// OverTimeLayer fills one per row and hands the boxes to OverTimeRowPainter; no windows.
#include <VelmoraExport.h>

#include <vector>

#include <wx/gdicmn.h>

namespace velmora_1_0 {

class OverTimeSlopeStencils;

class VELMORA_API OverTimeRowShape {
public:
    // `lineWidth`: the width lines are drawn with (at least 1).
    OverTimeRowShape(OverTimeSlopeStencils& stencils, int lineWidth);

    void addPoint(int x, int y);
    void addLine(int x1, int y1, int x2, int y2);

    // The painted pixels as boxes that do not overlap. Replaces the contents of `boxes`.
    void boxes(std::vector<wxRect>& boxes);

private:
    struct Span {
        int x;
        int top;
        int bottom;
    };

    // Corners inclusive and in order (x1 <= x2, y1 <= y2).
    void addBox(int x1, int y1, int x2, int y2);
    void sortSpans();

    OverTimeSlopeStencils& m_stencils;
    int m_lineWidth;
    std::vector<Span> m_spans; // one per column of every box, in the order added
};

} // namespace velmora_1_0
