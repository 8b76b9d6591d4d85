#include "layers/OverTimeRowPainter.h"

#include "layers/OverTimeRowShape.h"

#include <tarquel_1_0/Renderer.h>

#include <wx/dcmemory.h>

namespace velmora_1_0 {

OverTimeRowPainter::OverTimeRowPainter(tarquel_1_0::Renderer& renderer, wxMemoryDC& dc, const wxColour& colour)
    : m_renderer(renderer), m_dc(dc), m_colour(tarquel_1_0::Renderer::lineColour(colour))
{
}

void OverTimeRowPainter::paint(const OverTimeRowShape& shape)
{
    // The whole row in one call: a call per column is what made many rows slow.
    const std::vector<OverTimeRowShape::Span>& spans = shape.spans();
    m_renderer.fillSpans(m_dc, spans.data(), static_cast<int>(spans.size()), m_colour);
}

} // namespace velmora_1_0
