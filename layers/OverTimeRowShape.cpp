#include "layers/OverTimeRowShape.h"

#include "layers/OverTimeSlopeStencils.h"

#include <algorithm>
#include <utility>

namespace velmora_1_0 {

OverTimeRowShape::OverTimeRowShape(OverTimeSlopeStencils& stencils, int lineWidth)
    : m_stencils(stencils), m_lineWidth(std::max(1, lineWidth))
{
}

void OverTimeRowShape::addPoint(int x, int y)
{
    addBox(x, y, x, y);
}

void OverTimeRowShape::addLine(int x1, int y1, int x2, int y2)
{
    const int before = (m_lineWidth - 1) / 2;
    const int after = m_lineWidth / 2;
    if (x1 == x2) {
        addBox(x1 - before, std::min(y1, y2), x1 + after, std::max(y1, y2));
        return;
    }
    if (y1 == y2) {
        addBox(std::min(x1, x2), y1 - before, std::max(x1, x2), y1 + after);
        return;
    }
    for (const OverTimeSlopeStencils::Run& run : m_stencils.runs(x2 - x1, y2 - y1, m_lineWidth))
        addBox(x1 + run.column, y1 + run.top, x1 + run.column, y1 + run.bottom);
}

void OverTimeRowShape::addBox(int x1, int y1, int x2, int y2)
{
    for (int x = x1; x <= x2; ++x)
        m_spans.push_back({x, y1, y2});
}

void OverTimeRowShape::sortSpans()
{
    // Spans arrive almost in order (left to right, a line reaching a column or two back), where
    // insertion sort takes linear time.
    const auto before = [](const Span& a, const Span& b) { return a.x < b.x || (a.x == b.x && a.top < b.top); };
    for (size_t i = 1; i < m_spans.size(); ++i) {
        const Span span = m_spans[i];
        size_t j = i;
        for (; j > 0 && before(span, m_spans[j - 1]); --j)
            m_spans[j] = m_spans[j - 1];
        m_spans[j] = span;
    }
}

void OverTimeRowShape::boxes(std::vector<wxRect>& boxes)
{
    boxes.clear();
    sortSpans();
    std::vector<size_t> previous; // boxes that reach the column before, top first
    std::vector<size_t> current;
    for (size_t i = 0; i < m_spans.size();) {
        const int x = m_spans[i].x;
        size_t candidate = 0;
        while (i < m_spans.size() && m_spans[i].x == x) {
            const int top = m_spans[i].top;
            int bottom = m_spans[i].bottom;
            for (++i; i < m_spans.size() && m_spans[i].x == x && m_spans[i].top <= bottom + 1; ++i)
                bottom = std::max(bottom, m_spans[i].bottom);
            while (candidate < previous.size() && boxes[previous[candidate]].y < top)
                ++candidate;
            wxRect* grown = candidate < previous.size() ? &boxes[previous[candidate]] : nullptr;
            if (grown && grown->GetRight() == x - 1 && grown->y == top && grown->GetBottom() == bottom) {
                ++grown->width;
                current.push_back(previous[candidate]);
            } else {
                current.push_back(boxes.size());
                boxes.emplace_back(x, top, 1, bottom - top + 1);
            }
        }
        std::swap(previous, current);
        current.clear();
    }
}

} // namespace velmora_1_0
