#include "layers/OverTimeRowPainter.h"

#include "layers/OverTimeRowShape.h"

#include <tarquel_1_0/Renderer.h>

#include <wx/dcmemory.h>

namespace velmora_1_0 {

OverTimeRowPainter::OverTimeRowPainter(tarquel_1_0::Renderer& renderer, wxMemoryDC& dc, const wxColour& colour)
    : m_renderer(renderer), m_dc(dc), m_colour(colour), m_pen(dc.GetPen()), m_brush(dc.GetBrush())
{
}

OverTimeRowPainter::~OverTimeRowPainter()
{
    m_dc.SetPen(m_pen);
    m_dc.SetBrush(m_brush);
}

void OverTimeRowPainter::paint(OverTimeRowShape& shape)
{
    shape.boxes(m_boxes);
    if (m_boxes.empty())
        return;
    tarquel_1_0::Renderer::Batch batch(m_renderer, m_dc);
    m_renderer.setColour(m_dc, m_colour);
    for (const wxRect& box : m_boxes)
        m_renderer.fillBox(m_dc, box.x, box.y, box.GetRight(), box.GetBottom());
}

} // namespace velmora_1_0
