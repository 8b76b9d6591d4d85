#include "LegendFlow.h"

#include <algorithm>

namespace tarquel_1_0 {

void LegendFlow::add(const wxSize& size, bool newLine)
{
    m_items.push_back({size, newLine});
}

std::vector<wxPoint> LegendFlow::place(int width) const
{
    std::vector<wxPoint> positions;
    flow(width, &positions);
    return positions;
}

int LegendFlow::heightFor(int width) const
{
    return flow(width, nullptr);
}

int LegendFlow::narrowestWidth() const
{
    int widest = 0;
    for (const Item& item : m_items)
        widest = std::max(widest, item.size.x + 2 * m_margin);
    return widest;
}

int LegendFlow::flow(int width, std::vector<wxPoint>* positions) const
{
    int top = 0;       // of the line being filled
    int x = 0;         // where its next item would start, margin included
    int lineHeight = 0; // of its tallest item, margins included
    std::size_t lineStart = 0;
    // Items of a line are centred on its height once the line is complete.
    const auto finishLine = [&](std::size_t end) {
        if (positions)
            for (std::size_t i = lineStart; i < end; ++i)
                (*positions)[i].y = top + (lineHeight - m_items[i].size.y) / 2;
        top += lineHeight;
        x = 0;
        lineHeight = 0;
        lineStart = end;
    };
    if (positions)
        positions->assign(m_items.size(), wxPoint());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const Item& item = m_items[i];
        const int itemWidth = item.size.x + 2 * m_margin;
        if (i > lineStart && (item.newLine || x + itemWidth > width))
            finishLine(i);
        if (positions)
            (*positions)[i].x = x + m_margin;
        x += itemWidth;
        lineHeight = std::max(lineHeight, item.size.y + 2 * m_margin);
    }
    if (!m_items.empty())
        finishLine(m_items.size());
    return top;
}

} // namespace tarquel_1_0
