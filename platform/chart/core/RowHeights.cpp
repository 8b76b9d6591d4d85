#include <tarquel_1_0/RowHeights.h>

#include <algorithm>

namespace tarquel_1_0 {

RowHeights::RowHeights(int baseHeight) : m_base(baseHeight), m_tops{0} {}

int RowHeights::extraOfDataRow(int dataRow) const
{
    int extra = 0;
    for (const auto& ask : m_asks)
        if (dataRow >= 0 && dataRow < static_cast<int>(ask.second.size()))
            extra = std::max(extra, ask.second[dataRow]);
    return extra;
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
    return extraOfDataRow(dataRow) != before;
}

bool RowHeights::clearOwner(const void* owner)
{
    const auto found = m_asks.find(owner);
    if (found == m_asks.end())
        return false;
    const std::vector<int> asks = found->second;
    m_asks.erase(found);
    for (int row = 0; row < static_cast<int>(asks.size()); ++row)
        if (asks[row] > extraOfDataRow(row))
            return true;
    return false;
}

void RowHeights::layout(const std::vector<int>& displayToData)
{
    m_extras.resize(displayToData.size());
    m_tops.resize(displayToData.size() + 1);
    int top = 0;
    for (std::size_t display = 0; display < displayToData.size(); ++display) {
        m_tops[display] = top;
        m_extras[display] = extraOfDataRow(displayToData[display]);
        top += m_base + m_extras[display];
    }
    m_tops.back() = top;
}

int RowHeights::getTop(int displayRow) const
{
    if (displayRow < 0)
        return displayRow * m_base;
    if (displayRow >= static_cast<int>(m_extras.size()))
        return getContentHeight() + (displayRow - static_cast<int>(m_extras.size())) * m_base;
    return m_tops[displayRow];
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
    // The last top not above y.
    const auto after = std::upper_bound(m_tops.begin(), m_tops.end() - 1, y);
    return static_cast<int>(after - m_tops.begin()) - 1;
}

} // namespace tarquel_1_0
