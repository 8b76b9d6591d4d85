#pragma once
// The drawing primitives layers use: a selected colour and line width, lines, filled boxes,
// points, transition lines, and the event and duration marker shapes. One Renderer belongs to each
// graph (GraphLayerParent::m_renderer); it keeps no DC, only the current line width.
//
// Shapes. An event marker is a pin 9 pixels wide and 11 high: a box with a point at the bottom
// whose tip is at (x, y + 10); (x, y) is the middle of its top edge. A duration marker is a bar
// from x1 to x2 (at least 3 pixels wide), 7 pixels high, from y downwards. Each shape is drawn in
// two passes: the border pass paints the whole shape in the border colour, the fill pass paints it
// shrunk by one pixel in the fill colour, so that drawing every border before any fill keeps
// overlapping markers readable. Every marker call returns the shape's outer rectangle; with
// measureOnly it only returns it and paints nothing.
//
// Pixels are exact: boxes, points, straight lines and marker shapes are painted without
// anti-aliasing, and the DC variant of drawTransition (used for hit-test images) paints every
// pixel in exactly the given colour.
#include <chart_export.h>

#include <wx/colour.h>
#include <wx/gdicmn.h>

class wxDC;
class wxGraphicsContext;
class wxGraphicsPen;
class wxImage;

namespace tarquel_1_0 {

class TARQUEL_API Renderer {
public:
    // Pen and brush of `dc` in `colour` (solid, current line width).
    virtual void setColour(wxDC& dc, const wxColour& colour);
    // Width of lines and transitions drawn from now on (at least 1).
    virtual void setLineWidth(int width);
    // In the colour last selected on `dc`.
    virtual void drawLine(wxDC& dc, int x1, int y1, int x2, int y2);
    // Corners inclusive; corners in any order.
    virtual void fillBox(wxDC& dc, int x1, int y1, int x2, int y2);
    virtual void drawPoint(wxDC& dc, int x, int y);
    // A straight line in exactly `colour`, current line width, no blending (hit-test images).
    virtual void drawTransition(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& colour);
    // A straight line with `pen` on a graphics context (anti-aliased as the context is set).
    virtual void drawTransition(wxGraphicsContext& gc, int x1, int y1, int x2, int y2, const wxGraphicsPen& pen);
    virtual wxRect drawEventMarkerBorder(wxDC& dc, int x, int y, const wxColour& border, bool measureOnly);
    virtual wxRect drawEventMarkerFill(wxDC& dc, int x, int y, const wxColour& fill, bool measureOnly);
    virtual wxRect drawDurationMarkerBorder(wxDC& dc, int x1, int x2, int y, const wxColour& border,
                                            bool measureOnly);
    virtual wxRect drawDurationMarkerFill(wxDC& dc, int x1, int x2, int y, const wxColour& fill, bool measureOnly);
    virtual ~Renderer() = default;

    // A whole event marker: border (when withBorder) then fill, then `label` right of the pin and
    // `icon` (when valid) centred in its box. Returns the rectangle of everything drawn.
    wxRect drawEventMarker(wxDC& dc, int x, int y, bool withBorder, const wxString& label, const wxColour& fill,
                           const wxColour& border, const wxImage& icon, bool measureOnly);
    // A whole duration marker: border, then fill.
    wxRect drawDurationMarker(wxDC& dc, int x1, int x2, int y, const wxColour& fill, const wxColour& border,
                              bool measureOnly);

    int getLineWidth() const { return m_lineWidth; }

    static constexpr int EVENT_MARKER_WIDTH = 9;
    static constexpr int EVENT_MARKER_HEIGHT = 11;
    static constexpr int DURATION_MARKER_HEIGHT = 7;

private:
    int m_lineWidth = 1;
};

} // namespace tarquel_1_0
