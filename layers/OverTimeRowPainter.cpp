#include "layers/OverTimeRowPainter.h"

#include "layers/OverTimeRowShape.h"

#include <tarquel_1_0/Renderer.h>

#include <algorithm>

#include <wx/dcmemory.h>

namespace velmora_1_0 {

OverTimeRowPainter::OverTimeRowPainter(tarquel_1_0::Renderer& renderer, wxMemoryDC& dc, const wxColour& colour)
    : m_renderer(renderer), m_dc(dc), m_colour(tarquel_1_0::Renderer::lineColour(colour))
{
}

void OverTimeRowPainter::paint(const OverTimeRowShape& shape)
{
    const std::vector<OverTimeRowShape::Span>& spans = shape.spans();
    if (spans.empty())
        return;
    int left = spans.front().x;
    int top = spans.front().top;
    int right = left;
    int bottom = spans.front().bottom;
    for (const OverTimeRowShape::Span& span : spans) {
        left = std::min(left, span.x);
        right = std::max(right, span.x);
        top = std::min(top, span.top);
        bottom = std::max(bottom, span.bottom);
    }
    const int width = right - left + 1;
    // A box per column, one DC call each, is what made many rows slow: one block per row instead.
    // Spans that overlap paint the same colour twice.
    m_block.assign(static_cast<size_t>(width) * static_cast<size_t>(bottom - top + 1), 0);
    for (const OverTimeRowShape::Span& span : spans) {
        std::uint32_t* pixel = m_block.data() + static_cast<size_t>(span.top - top) * width + (span.x - left);
        for (int y = span.top; y <= span.bottom; ++y, pixel += width)
            *pixel = m_colour;
    }
    m_renderer.fillLines(m_dc, left, top, bottom, m_block.data(), width, width);
}

} // namespace velmora_1_0
