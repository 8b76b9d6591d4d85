#pragma once
// The lines and points of one over-time row, collected before anything is drawn so that the whole
// row goes to the DC in one call, with no pen or brush change between columns. It takes the same
// primitives as the chart's renderer and keeps their pixels: a point is one pixel; a straight line
// of width w covers (w - 1) / 2 pixels before its axis and w / 2 after it, both end points
// included; a sloped line covers what the DC paints for it, as OverTimeSlopeStencils learnt. The
// pixels are kept as vertical spans, one per column of every primitive, in the order added (they
// may overlap). OverTimeLayer fills one per row and hands it to OverTimeRowPainter; no windows.
#include <VelmoraExport.h>
#include <tarquel_1_0/Renderer.h>

#include <vector>

namespace velmora_1_0 {

class OverTimeSlopeStencils;

class VELMORA_API OverTimeRowShape {
public:
    // The pixels [top, bottom] of column x.
    using Span = tarquel_1_0::Renderer::ColumnSpan;

    // `lineWidth`: the width lines are drawn with (at least 1).
    OverTimeRowShape(OverTimeSlopeStencils& stencils, int lineWidth);

    // Empties the shape; its memory stays for the next row.
    void clear() { m_spans.clear(); }
    void addPoint(int x, int y);
    void addLine(int x1, int y1, int x2, int y2);

    const std::vector<Span>& spans() const { return m_spans; }

private:
    // Corners inclusive and in order (x1 <= x2, y1 <= y2).
    void addBox(int x1, int y1, int x2, int y2);

    OverTimeSlopeStencils& m_stencils;
    int m_lineWidth;
    std::vector<Span> m_spans;
};

} // namespace velmora_1_0
