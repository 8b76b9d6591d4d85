#pragma once
// Where each display row of an area lies vertically: every row is a strip of the base height,
// and a row grows below its strip by the largest extra height any owner (a layer) asked for it.
// A plain model: the area keeps one, records the asks by data row and lays the rows out in
// display order whenever the order or an ask changes; positions are in content pixels (before
// the vertical scroll).
#include <chart_export.h>

#include <map>
#include <vector>

namespace tarquel_1_0 {

class TARQUEL_API RowHeights {
public:
    explicit RowHeights(int baseHeight);

    int getBaseHeight() const { return m_base; }
    // Records the ask of `owner` for `dataRow`; true when the row's extra height changed (then
    // layout must run again). Negative asks count as 0.
    bool setExtra(const void* owner, int dataRow, int pixels);
    // Forgets every ask of `owner`; true when some row's extra height changed.
    bool clearOwner(const void* owner);
    // Lays the rows out in this order (display row i shows data row displayToData[i]).
    void layout(const std::vector<int>& displayToData);

    int getTop(int displayRow) const;
    int getHeight(int displayRow) const;
    int getExtra(int displayRow) const;
    // Display row covering content pixel y; -1 when none.
    int rowAt(int y) const;
    int getContentHeight() const { return m_tops.empty() ? 0 : m_tops.back(); }

private:
    int extraOfDataRow(int dataRow) const;

    int m_base;
    std::map<const void*, std::vector<int>> m_asks; // owner -> pixels by data row
    std::vector<int> m_extras;                      // by display row
    std::vector<int> m_tops;                        // by display row, plus the content height last
};

} // namespace tarquel_1_0
