#pragma once
// The drawing primitives layers use: a selected colour and line width, lines, filled boxes,
// points, transition lines, and the event and duration marker shapes. One Renderer belongs to each
// graph (GraphLayerParent::m_renderer); it keeps no DC, only the current line width and, while a
// Batch is open, the shapes collected for it.
//
// Shapes. An event marker is a pin 11 pixels wide and 14 high: a box 9 lines high with a point
// below it narrowing in steps (7, 3, then 1 pixel wide) to its tip at (x, y + 13); (x, y) is the
// middle of its top edge. A duration marker is a bar
// from x1 to x2 (at least 5 pixels wide), 10 pixels high, from y downwards. A shape anchored on
// the last line of the DC stands on that line instead of hanging from it (the ruler puts its
// markers on its bottom line), so its lowest line, the pin's tip, is at y. Each shape is drawn in
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

#include <cstdint>
#include <memory>
#include <vector>

class wxDC;
class wxGraphicsContext;
class wxGraphicsPen;
class wxImage;

namespace tarquel_1_0 {

class BoxPainter;
class LabelImages;

class TARQUEL_API Renderer {
public:
    // Collects what the renderer paints on `dc` while the batch lives and paints each colour's
    // boxes and shapes merged into a few rectangles: when the batch ends, when another colour
    // comes, or before anything else is drawn. For loops over thousands of shapes of few colours.
    // setColour calls meanwhile reach the DC when the batch ends. A batch opened while another
    // is open joins it.
    class TARQUEL_API Batch {
    public:
        Batch(Renderer& renderer, wxDC& dc);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Renderer& m_renderer;
        std::unique_ptr<BoxPainter> m_painter; // null when joining an open batch
    };

    Renderer() = default;
    // Copies the line width; an open batch stays with the original.
    Renderer(const Renderer& other);
    Renderer& operator=(const Renderer& other);

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

    // `text` at (x, y) in the DC's font and `colour`, over a box of `background` as large as the
    // text's extent: for labels whose background is known, a name in its box. Where the DC's
    // pixels can be written directly, each label is painted once and copied from then on; inside
    // a batch it goes on top of the boxes painted so far. Returns the extent.
    wxSize drawLabel(wxDC& dc, const wxString& text, int x, int y, const wxColour& colour,
                     const wxColour& background);

    // Paints lines y1..y2 from lines of `count` colours, colours[i] at column x + i, each as
    // lineColour gives it (alpha 0: the pixel keeps what it has); line y1 + k takes its colours
    // from colours + k * stride, and with stride 0 all lines are alike. For bands that change from
    // column to column but not from line to line, such as lanes of boxes or markers along a row,
    // and for rows painted in a buffer first: the cost is the pixels, however many shapes made
    // them. Where the DC's pixels can be written and every colour is opaque the lines are copied;
    // elsewhere each run of one colour goes out as a box.
    void fillLines(wxDC& dc, int x, int y1, int y2, const std::uint32_t* colours, int count, int stride = 0);
    // `colour` as fillLines takes it: alpha, red, green, blue from the top byte down; 0 when not ok.
    static std::uint32_t lineColour(const wxColour& colour);

    // Lines top..bottom of column x.
    struct ColumnSpan {
        int x;
        int top;
        int bottom;
    };
    // Paints `count` spans in `colour` (as lineColour gives it; alpha 0 paints nothing), a pixel
    // that several spans cover once: the columns of a graph row, however its lines and points made
    // them. Where the DC's pixels can be written and the colour is opaque, the spans are written
    // straight into the image, so the cost is the pixels painted; elsewhere they are laid into
    // lines and go out as fillLines sends them.
    void fillSpans(wxDC& dc, const ColumnSpan* spans, int count, std::uint32_t colour);

    int getLineWidth() const { return m_lineWidth; }

    static constexpr int EVENT_MARKER_WIDTH = 11;
    static constexpr int EVENT_MARKER_HEIGHT = 14;
    static constexpr int DURATION_MARKER_HEIGHT = 10;
    static constexpr int DURATION_MARKER_MIN_WIDTH = 5;

private:
    BoxPainter* batchOn(const wxDC& dc) const;
    // Paints what the open batch collected, before something is drawn past it.
    void flushBatch(const wxDC& dc);
    // The colour setColour chose while a batch is open on `dc` (it reaches the DC when the batch
    // ends), else `selected`, the DC's own.
    wxColour chosenColour(const wxDC& dc, const wxColour& selected) const;
    void paintBox(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& colour);
    void paintPin(wxDC& dc, int x, int top, int inset, const wxColour& colour);
    int shapeTop(const wxDC& dc, int y, int height) const;
    wxRect pinRect(const wxDC& dc, int x, int y) const;
    wxRect barRect(const wxDC& dc, int x1, int x2, int y) const;

    int m_lineWidth = 1;
    std::vector<std::uint32_t> m_spanBlock; // fillSpans' pixels where they cannot be written directly
    BoxPainter* m_batch = nullptr; // owned by the open Batch
    wxColour m_batchColour;        // chosen while the batch is open; invalid: none
    int m_batchLastLine = 0;       // the last line of the batch's DC
    std::shared_ptr<LabelImages> m_labels; // made on the first label; not copied
};

} // namespace tarquel_1_0
