#include "layers/OverTimeRowPainter.h"

#include "layers/OverTimeRowShape.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>

namespace velmora_1_0 {

// Pen and brush are set on the context directly, so a DC that shares its context with the painter
// sees them back as it set them once the painter restores them.
OverTimeRowPainter::OverTimeRowPainter(wxMemoryDC& dc, const wxColour& colour)
    : m_context(dc.GetGraphicsContext()), m_colour(colour), m_pen(dc.GetPen()), m_brush(dc.GetBrush())
{
    if (!m_context) {
        m_ownContext.reset(wxGraphicsContext::Create(dc));
        m_context = m_ownContext.get();
    }
    m_antialias = m_context->GetAntialiasMode();
    m_context->SetAntialiasMode(wxANTIALIAS_NONE);
}

OverTimeRowPainter::~OverTimeRowPainter()
{
    m_context->SetPen(m_pen);
    m_context->SetBrush(m_brush);
    m_context->SetAntialiasMode(static_cast<wxAntialiasMode>(m_antialias));
}

void OverTimeRowPainter::paint(const OverTimeRowShape& shape)
{
    shape.runs(m_boxes);
    if (!m_boxes.empty()) {
        wxGraphicsPath path = m_context->CreatePath();
        for (const wxRect& box : m_boxes)
            path.AddRectangle(box.x, box.y, box.width, box.height);
        // Without a pen, as boxes are filled: the fill covers exactly the boxes' pixels.
        m_context->SetPen(*wxTRANSPARENT_PEN);
        m_context->SetBrush(wxBrush(m_colour));
        m_context->FillPath(path);
    }
    const std::vector<wxPoint2DDouble>& starts = shape.slopeStarts();
    if (starts.empty())
        return;
    wxPen pen(m_colour, shape.lineWidth(), wxPENSTYLE_SOLID);
    pen.SetCap(wxCAP_BUTT);
    m_context->SetPen(pen);
    // One stroke per slope: strokes of several segments in one path cover other pixels than
    // the segments drawn alone.
    const std::vector<wxPoint2DDouble>& ends = shape.slopeEnds();
    for (size_t i = 0; i < starts.size(); ++i)
        m_context->StrokeLine(starts[i].m_x, starts[i].m_y, ends[i].m_x, ends[i].m_y);
}

} // namespace velmora_1_0
