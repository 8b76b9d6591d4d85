#include "layers/OverTimeRowShape.h"

#include <algorithm>

namespace velmora_1_0 {

OverTimeRowShape::OverTimeRowShape(int lineWidth) : m_lineWidth(std::max(1, lineWidth))
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
    if (x1 == x2)
        addBox(x1 - before, std::min(y1, y2), x1 + after, std::max(y1, y2));
    else if (y1 == y2)
        addBox(std::min(x1, x2), y1 - before, std::max(x1, x2), y1 + after);
    else {
        m_slopeStarts.emplace_back(x1, y1);
        m_slopeEnds.emplace_back(x2, y2);
    }
}

void OverTimeRowShape::addBox(int x1, int y1, int x2, int y2)
{
    cover(x1, x2);
    for (int x = x1; x <= x2; ++x) {
        const size_t i = static_cast<size_t>(x - m_firstColumn);
        const bool empty = m_bottoms[i] < m_tops[i];
        m_tops[i] = empty ? y1 : std::min(m_tops[i], y1);
        m_bottoms[i] = empty ? y2 : std::max(m_bottoms[i], y2);
    }
}

void OverTimeRowShape::cover(int x1, int x2)
{
    if (m_tops.empty())
        m_firstColumn = x1;
    if (x1 < m_firstColumn) {
        const size_t added = static_cast<size_t>(m_firstColumn - x1);
        m_tops.insert(m_tops.begin(), added, 0);
        m_bottoms.insert(m_bottoms.begin(), added, -1);
        m_firstColumn = x1;
    }
    const size_t needed = static_cast<size_t>(x2 - m_firstColumn + 1);
    if (needed > m_tops.size()) {
        m_tops.resize(needed, 0);
        m_bottoms.resize(needed, -1);
    }
}

void OverTimeRowShape::runs(std::vector<wxRect>& boxes) const
{
    boxes.clear();
    const size_t count = m_tops.size();
    for (size_t i = 0; i < count;) {
        size_t next = i + 1;
        while (next < count && m_tops[next] == m_tops[i] && m_bottoms[next] == m_bottoms[i])
            ++next;
        if (m_bottoms[i] >= m_tops[i])
            boxes.emplace_back(m_firstColumn + static_cast<int>(i), m_tops[i], static_cast<int>(next - i),
                               m_bottoms[i] - m_tops[i] + 1);
        i = next;
    }
}

} // namespace velmora_1_0
