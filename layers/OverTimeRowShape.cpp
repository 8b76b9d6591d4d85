#include "layers/OverTimeRowShape.h"

#include "layers/OverTimeSlopeStencils.h"

#include <algorithm>

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

} // namespace velmora_1_0
