#include <tarquel_1_0/RowHeights.h>

#include <algorithm>

namespace tarquel_1_0 {

RowHeights::RowHeights(int baseHeight) : m_base(baseHeight) {}

int RowHeights::extraOfDataRow(int dataRow) const
{
    int extra = 0;
    for (const auto& ask : m_asks)
        if (dataRow >= 0 && dataRow < static_cast<int>(ask.second.size()))
            extra = std::max(extra, ask.second[dataRow]);
    return extra;
}

void RowHeights::placeExtra(int dataRow, int extra)
{
    if (dataRow >= static_cast<int>(m_displayOfData.size()) || m_displayOfData[dataRow] < 0)
        return;
    const int display = m_displayOfData[dataRow];
    m_heights.add(display, extra - m_extras[display]);
    m_extras[display] = extra;
}

bool RowHeights::setExtra(const void* owner, int dataRow, int pixels)
{
    if (dataRow < 0)
        return false;
    const int before = extraOfDataRow(dataRow);
    std::vector<int>& asks = m_asks[owner];
    if (static_cast<int>(asks.size()) <= dataRow)
        asks.resize(dataRow + 1, 0);
    asks[dataRow] = std::max(pixels, 0);
    const int after = extraOfDataRow(dataRow);
    placeExtra(dataRow, after);
    return after != before;
}

bool RowHeights::clearOwner(const void* owner)
{
    const auto found = m_asks.find(owner);
    if (found == m_asks.end())
        return false;
    const std::vector<int> asks = found->second;
    m_asks.erase(found);
    bool changed = false;
    for (int row = 0; row < static_cast<int>(asks.size()); ++row) {
        const int extra = extraOfDataRow(row);
        if (asks[row] > extra) {
            placeExtra(row, extra);
            changed = true;
        }
    }
    return changed;
}

void RowHeights::layout(const std::vector<int>& displayToData)
{
    const int shownMost = displayToData.empty() ? -1 : *std::max_element(displayToData.begin(), displayToData.end());
    m_displayOfData.assign(static_cast<std::size_t>(shownMost + 1), -1);
    m_extras.resize(displayToData.size());
    std::vector<int> heights(displayToData.size());
    for (std::size_t display = 0; display < displayToData.size(); ++display) {
        const int data = displayToData[display];
        if (data >= 0)
            m_displayOfData[data] = static_cast<int>(display);
        m_extras[display] = extraOfDataRow(data);
        heights[display] = m_base + m_extras[display];
    }
    m_heights.assign(heights);
}

int RowHeights::getTop(int displayRow) const
{
    if (displayRow < 0)
        return displayRow * m_base;
    if (displayRow >= static_cast<int>(m_extras.size()))
        return getContentHeight() + (displayRow - static_cast<int>(m_extras.size())) * m_base;
    return m_heights.prefix(displayRow);
}

int RowHeights::getHeight(int displayRow) const
{
    return m_base + getExtra(displayRow);
}

int RowHeights::getExtra(int displayRow) const
{
    return displayRow >= 0 && displayRow < static_cast<int>(m_extras.size()) ? m_extras[displayRow] : 0;
}

int RowHeights::rowAt(int y) const
{
    if (y < 0 || y >= getContentHeight())
        return -1;
    // The last row whose top is not below y.
    return m_heights.countUpTo(y);
}

} // namespace tarquel_1_0
