#pragma once
// A graph layer that shows the call hierarchy of every row: each row grows by one lane per
// nesting level (SliceLanes) under its strip, and each slice is a box in its lane, coloured by
// its name (SliceColor), with the name inside when it fits and shortened with an ellipsis when
// it does not. Boxes are chosen at pixel resolution on every repaint (SliceDecimator), so a
// repaint costs about rows x lanes x columns, not slices.
//
// How it is called (UI thread only): the pane sets the data source and adds it to an area; the
// timeline calls requestData (one provider request per row, answered on the provider's worker
// with the row's slices already placed in lanes), checkData/updateData as answers arrive (each
// row then asks its area for the height of its lanes), renderAll on repaint, and the hit-test,
// tooltip and selection operations on mouse moves and clicks.
#include "layers/SliceDecimator.h"
#include "layers/SliceLaneLines.h"
#include "layers/SliceLanes.h"
#include "layers/SliceNameFitter.h"
#include "layers/SliceRow.h"
#include "provider/SarvikProvider.h"
#include <VelmoraExport.h>

#include <tarquel_1_0/GraphLayer.h>

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <wx/gdicmn.h>

class wxDC;

namespace velmora_1_0 {

class VELMORA_API SliceLayer : public tarquel_1_0::GraphLayer {
public:
    // A slice (count 1) or a run of narrow slices (count > 1, slice the first) of a data row.
    struct Item {
        int row = -1;
        int slice = -1;
        int count = 0;
        bool valid() const { return row >= 0 && slice >= 0; }
        bool operator==(const Item& other) const
        {
            return row == other.row && slice == other.slice && count == other.count;
        }
        bool operator!=(const Item& other) const { return !(*this == other); }
    };

    SliceLayer();
    SliceLayer(const SliceLayer& other) = default;
    SliceLayer& operator=(const SliceLayer& other) = default;

    // Virtual operations in slot order.
    ~SliceLayer() override;
    void requestData(bool onlyIfMissing) override;
    void updateData(wxMemoryDC& dc, bool render) override;
    bool checkData() override;
    void renderAll(wxMemoryDC& dc) override;
    void renderHittest(wxMemoryDC& dc) override;
    bool hittest(int x, int y) override;
    void clearHittest() override;
    bool canSelect() override;
    bool setSelection() override;
    void clearSelection() override;
    bool hasSelection() override;
    void clear() override;
    int getTooltipCount() override;
    void getTooltip(int maxCount, std::vector<wxString>& lines) override;
    // One entry: every lane or a few per row.
    void populateLegendPopup(wxMenu& menu, int id) override;
    void handleLegendPopupMenu(int index) override;

    // The slices of a data row; null before they arrived.
    const SliceRow* getRow(int dataRow) const;
    // Every row's slices as they are now, by data row (null for rows not loaded): rows never
    // change once loaded, so a worker may read the snapshot while the layer goes on.
    std::vector<std::shared_ptr<const SliceRow>> snapshot() const { return m_rows; }
    bool isLoaded() const { return m_dataLoaded; }
    Item getHovered() const { return m_hovered; }
    Item getSelected() const { return m_selected; }
    // Selects `item` (an invalid item clears) and repaints.
    void select(const Item& item);
    // Called after the selection changed, by a click or by select().
    void setSelectionListener(std::function<void(const Item&)> listener) { m_onSelect = std::move(listener); }

    // Slices drawn with a mark (search matches); an empty list removes every mark.
    void setMarked(const std::vector<Item>& items);
    bool isMarked(int row, int slice) const;

    // Rows show a few lanes (SliceLanes::kCollapsedLanes) until every lane is asked for.
    void expandLanes(bool expanded);
    bool lanesExpanded() const { return m_lanes.limit() > SliceLanes::kCollapsedLanes; }
    const SliceLanes& lanes() const { return m_lanes; }

    // Where the lanes of a display row start, in the layer's drawing coordinates.
    wxRect lanesRect(int displayRow) const;

private:
    SarvikProvider* provider() const;
    void drawRow(wxDC& dc, int displayRow, SliceLaneLines& lines) const;
    void drawNames(wxDC& dc, const std::vector<int>& displayRows);
    // The "+N" of a row deeper than the lanes shown.
    void drawHiddenLanes(wxDC& dc, int displayRow) const;
    // The lines [top, bottom] of a lane whose lanes start at `lanesTop`; false when the lane is
    // off the graph (it is not drawn then).
    bool laneLines(int lanesTop, int lane, int& top, int& bottom) const;
    // visit(lane, box, rect) for every box the last repaint drew on a display row, by lane and x:
    // what hit tests, names and outlines need, found in the row's lanes rather than kept per box.
    template <typename Visit>
    void forEachDrawnBox(int displayRow, Visit&& visit) const;
    // Where the last repaint drew `item`; false when it did not.
    bool drawnRect(const Item& item, wxRect& rect) const;
    void outline(wxDC& dc, const Item& item, const wxColour& colour) const;
    void outlineRect(wxDC& dc, const wxRect& rect, const wxColour& colour) const;
    wxString tooltipText(const Item& item) const;

    std::vector<std::shared_ptr<const SliceRow>> m_rows; // by data row
    std::vector<SarvikProvider::SliceData> m_pending;
    std::unordered_map<int, SliceLaneLines> m_laneLines; // by data row, of the rows drawn last
    SliceNameFitter m_names;
    bool m_dataLoaded = false;
    SliceLanes m_lanes{SliceLanes::kCollapsedLanes};
    Item m_hovered;
    Item m_selected;
    std::function<void(const Item&)> m_onSelect;
    std::unordered_set<std::uint64_t> m_marked; // row in the upper half, slice index in the lower
};

} // namespace velmora_1_0
