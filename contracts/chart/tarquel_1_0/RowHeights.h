#pragma once
// Where each display row of an area lies vertically: every row is a strip of the base height,
// and a row grows below its strip by the largest extra height any owner (a layer) asked for it.
// A plain model: the area keeps one, records the asks by data row and lays the rows out in
// display order whenever the order changes; an ask moves the rows below its own at once, in time
// logarithmic in the rows. Positions are in content pixels (before the vertical scroll).
#include <chart_export.h>
#include <tarquel_1_0/PrefixSumTree.h>

#include <map>
#include <vector>

namespace tarquel_1_0 {

class TARQUEL_API RowHeights {
public:
    explicit RowHeights(int baseHeight);

    int getBaseHeight() const { return m_base; }
    // Records the ask of `owner` for `dataRow`; true when the row's extra height changed (the
    // rows are then already where they belong). Negative asks count as 0.
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
    int getContentHeight() const { return m_heights.total(); }

private:
    int extraOfDataRow(int dataRow) const;
    // Gives the shown row of `dataRow`, if any, this extra height.
    void placeExtra(int dataRow, int extra);

    int m_base;
    std::map<const void*, std::vector<int>> m_asks; // owner -> pixels by data row
    std::vector<int> m_displayOfData;               // by data row; -1 when not shown
    std::vector<int> m_extras;                      // by display row
    PrefixSumTree m_heights;                        // full heights by display row: their tops
};

} // namespace tarquel_1_0
