#pragma once
// The lines and points of one over-time row, collected before anything is drawn so that the row
// goes to the DC in one fill plus a stroke per sloped line, with no pen or brush change between
// columns. It takes the same primitives as the chart's renderer and keeps their pixels:
// - points and straight lines become boxes (a straight line of width w covers (w - 1) / 2 pixels
//   before its axis and w / 2 after it, both end points included), merged into one vertical run
//   of pixels per column. That union stays one run because every box of a column shares the
//   column's baseline (bars) or its sample height (points and flat joins);
// - sloped lines are kept as segments between pixel centres: which pixels a stroke covers is the
//   DC's to decide, so they are stroked one by one, not rasterised here.
// OverTimeLayer fills one per row and hands it to OverTimeRowPainter; a plain value without windows.
#include "provider/VelmoraExport.h"

#include <vector>

#include <wx/gdicmn.h>
#include <wx/geometry.h>

namespace velmora_1_0 {

class VELMORA_API OverTimeRowShape {
public:
    // `lineWidth`: the width straight and sloped lines are drawn with (at least 1).
    explicit OverTimeRowShape(int lineWidth);

    void addPoint(int x, int y);
    void addLine(int x1, int y1, int x2, int y2);

    int lineWidth() const { return m_lineWidth; }
    // The column runs as boxes, neighbouring columns with equal runs as one box (a flat line or
    // bars of one height). Replaces the contents of `boxes`.
    void runs(std::vector<wxRect>& boxes) const;
    const std::vector<wxPoint2DDouble>& slopeStarts() const { return m_slopeStarts; }
    const std::vector<wxPoint2DDouble>& slopeEnds() const { return m_slopeEnds; }

private:
    // Corners inclusive and in order (x1 <= x2, y1 <= y2).
    void addBox(int x1, int y1, int x2, int y2);
    // Makes columns x1..x2 exist, new ones empty.
    void cover(int x1, int x2);

    int m_lineWidth;
    int m_firstColumn = 0;
    // Per column from m_firstColumn: the run's top and bottom pixel; bottom < top when empty.
    std::vector<int> m_tops;
    std::vector<int> m_bottoms;
    std::vector<wxPoint2DDouble> m_slopeStarts;
    std::vector<wxPoint2DDouble> m_slopeEnds;
};

} // namespace velmora_1_0
