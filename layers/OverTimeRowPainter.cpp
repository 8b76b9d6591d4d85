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

void OverTimeRowPainter::paint(OverTimeRowShape& shape)
{
    shape.boxes(m_boxes);
    if (m_boxes.empty())
        return;
    wxGraphicsPath path = m_context->CreatePath();
    for (const wxRect& box : m_boxes)
        path.AddRectangle(box.x, box.y, box.width, box.height);
    // Without a pen, as boxes are filled: the fill covers exactly the boxes' pixels.
    m_context->SetPen(*wxTRANSPARENT_PEN);
    m_context->SetBrush(wxBrush(m_colour));
    m_context->FillPath(path);
}

} // namespace velmora_1_0
