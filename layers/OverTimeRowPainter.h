#pragma once
// Paints OverTimeRowShapes onto a memory DC in one colour, each as one fill of its boxes: one call
// per row, where drawing each column alone cost a call and a pen and brush change per column.
// Anti-aliasing is off while the painter lives, so every painted pixel has exactly the colour; the
// pen, brush and anti-aliasing mode are put back when it goes. Made by OverTimeLayer for each row it
// draws, on the UI thread.
#include <VelmoraExport.h>

#include <memory>
#include <vector>

#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/pen.h>

class wxGraphicsContext;
class wxMemoryDC;

namespace velmora_1_0 {

class OverTimeRowShape;

class VELMORA_API OverTimeRowPainter {
public:
    OverTimeRowPainter(wxMemoryDC& dc, const wxColour& colour);
    ~OverTimeRowPainter();
    OverTimeRowPainter(const OverTimeRowPainter&) = delete;
    OverTimeRowPainter& operator=(const OverTimeRowPainter&) = delete;

    void paint(OverTimeRowShape& shape);

private:
    // A DC that draws without a graphics context gets one of its own for the painter's lifetime.
    std::unique_ptr<wxGraphicsContext> m_ownContext;
    wxGraphicsContext* m_context;
    wxColour m_colour;
    const wxPen m_pen;
    const wxBrush m_brush;
    int m_antialias = 0; // the context's mode before painting
    std::vector<wxRect> m_boxes;
};

} // namespace velmora_1_0
