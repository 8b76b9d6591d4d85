#pragma once
// A graph without a window for the over-time layer tests and benchmark: `rowCount` rows of
// ROW_HEIGHT pixels, data row = display row, all in view, each living over the whole ruler unless a
// test sets a lifetime. Records colour changes; the first layer that asks paints the backgrounds.
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace overtime_test {

class RowGraph : public tarquel_1_0::GraphLayerParent {
public:
    static const int ROW_HEIGHT = 20;

    RowGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int width, int rowCount)
        : m_width(width), m_rowCount(rowCount)
    {
        m_dataProvider = provider;
        m_ruler = ruler;
    }

    bool claimRowBackgroundPainting(tarquel_1_0::GraphLayer* layer) override
    {
        m_background = m_background ? m_background : layer;
        return m_background == layer;
    }
    void layerColorChanged(tarquel_1_0::GraphLayer*, const wxColour& colour, const wxString& what) override
    {
        m_colorChanges.push_back(what + " " + colour.GetAsString(wxC2S_HTML_SYNTAX));
    }
    void requestUpdateTimer(tarquel_1_0::GraphLayer*, bool) override {}
    wxRect getRowRect(int row, bool) override { return wxRect(0, row * ROW_HEIGHT, m_width, ROW_HEIGHT); }
    wxRect getRowGraphRect(int row) override { return getRowRect(row, false); }
    void getVisibleRowRange(int& first, int& last) override
    {
        first = m_rowCount > 0 ? 0 : -1;
        last = m_rowCount - 1;
    }
    int getDataRow(int row) override { return row >= 0 && row < m_rowCount ? row : -1; }
    int getDisplayRow(int dataRow) override { return getDataRow(dataRow); }
    int getRowCount() override { return m_rowCount; }
    wxString getRowName(int row) override { return wxString::Format("row %d", row); }
    bool getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end) override
    {
        const auto found = m_lifetimes.find(dataRow);
        start = found != m_lifetimes.end() ? found->second.first : wxULongLong(0);
        end = found != m_lifetimes.end() ? found->second.second : wxULongLong(m_ruler->getDuration());
        return true;
    }
    bool getRowDrawSpan(int row, wxULongLong& start, wxULongLong& end) override
    {
        getRowLifetime(getDataRow(row), start, end);
        start = std::max(start, m_ruler->getStart());
        end = std::min(end, m_ruler->getEnd());
        return start <= end;
    }
    int getDataRowAt(int, int y, bool) override { return y < 0 ? -1 : getDataRow(y / ROW_HEIGHT); }
    wxWindow* getWindow() override { return nullptr; }

    int m_width;
    int m_rowCount;
    std::map<int, std::pair<wxULongLong, wxULongLong>> m_lifetimes; // rows not listed live throughout
    tarquel_1_0::GraphLayer* m_background = nullptr;
    std::vector<wxString> m_colorChanges; // "<what> #rrggbb"
};

} // namespace overtime_test
