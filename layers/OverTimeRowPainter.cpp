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

void OverTimeRowPainter::paint(OverTimeRowShape& shape)
{
    shape.boxes(m_boxes);
    if (m_boxes.empty())
        return;
    int left = m_boxes.front().x;
    int top = m_boxes.front().y;
    int right = m_boxes.front().GetRight();
    int bottom = m_boxes.front().GetBottom();
    for (const wxRect& box : m_boxes) {
        left = std::min(left, box.x);
        top = std::min(top, box.y);
        right = std::max(right, box.GetRight());
        bottom = std::max(bottom, box.GetBottom());
    }
    const wxRect bounds(left, top, right - left + 1, bottom - top + 1);
    // A box per column, one DC call each, is what made many rows slow: one block per row instead.
    m_block.assign(static_cast<size_t>(bounds.width) * bounds.height, 0);
    for (const wxRect& box : m_boxes) {
        std::uint32_t* line = m_block.data() + static_cast<size_t>(box.y - bounds.y) * bounds.width + (box.x - bounds.x);
        for (int y = 0; y < box.height; ++y, line += bounds.width)
            std::fill_n(line, box.width, m_colour);
    }
    m_renderer.fillLines(m_dc, bounds.x, bounds.y, bounds.GetBottom(), m_block.data(), bounds.width, bounds.width);
}

} // namespace velmora_1_0
