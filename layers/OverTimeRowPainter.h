#pragma once
// Paints OverTimeRowShapes onto a memory DC in one colour through one batch of the chart's
// renderer: the boxes of a row are written without a pen or brush change between columns, and
// straight into the image where the DC allows. Every painted pixel has exactly the colour; the
// DC's pen and brush are put back when the painter goes. Made by OverTimeLayer for each row it
// draws, on the UI thread.
#include <VelmoraExport.h>

#include <vector>

#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/pen.h>

class wxMemoryDC;

namespace tarquel_1_0 {
class Renderer;
}

namespace velmora_1_0 {

class OverTimeRowShape;

class VELMORA_API OverTimeRowPainter {
public:
    OverTimeRowPainter(tarquel_1_0::Renderer& renderer, wxMemoryDC& dc, const wxColour& colour);
    ~OverTimeRowPainter();
    OverTimeRowPainter(const OverTimeRowPainter&) = delete;
    OverTimeRowPainter& operator=(const OverTimeRowPainter&) = delete;

    void paint(OverTimeRowShape& shape);

private:
    tarquel_1_0::Renderer& m_renderer;
    wxMemoryDC& m_dc;
    wxColour m_colour;
    const wxPen m_pen;
    const wxBrush m_brush;
    std::vector<wxRect> m_boxes;
};

} // namespace velmora_1_0
