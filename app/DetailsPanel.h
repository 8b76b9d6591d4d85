#pragma once
// The panel under the timeline that tells about the selection. For a selected slice its facts
// (SliceDetails), with the parent and children as lines that select that slice when clicked. For
// any other item a click picks (PickedItem: a marker, a ruler event or task, a transition, a
// state, a counter sample) what its instance holds (ItemDescription, read on a worker), a
// transition's two ends leading to that end. For a time range selected on the ruler or dragged
// across the rows, the slices of the selected rows (all rows when none is selected) by name with
// their count, total and self time in the range, and each of those rows' CPU time in it (computed
// on a worker). Whichever was selected last is shown.
#include "BackgroundJob.h"
#include "GraphClickFilter.h"
#include "ItemDescription.h"
#include "PickedItem.h"

#include "layers/SliceDetails.h"
#include "layers/SliceRangeStats.h"
#include "provider/RangeCpuTimeReader.h"

#include <wx/panel.h>

#include <functional>
#include <vector>

class wxListBox;
class wxCommandEvent;

namespace tarquel_1_0 {
class GraphLayerParent;
class Timeline;
}

namespace velmora_viewer {

class DetailsPanel : public wxPanel {
public:
    // What a range selection found: the slices by name and each row's CPU time.
    struct RangeSummary {
        std::vector<velmora_1_0::SliceRangeStats::Entry> slices;
        std::vector<velmora_1_0::RangeCpuTimeReader::RowTime> cpu;
    };

    DetailsPanel(wxWindow* parent, tarquel_1_0::Timeline& timeline);
    ~DetailsPanel() override;

    // Listens to the slice layers and the graphs the timeline has now (call after the pane is
    // configured).
    void watchLayers();
    // Clears the selection of every layer, and the range an item selected.
    void clearSelection();
    // The lines shown, top first.
    std::vector<wxString> lines() const;
    // As a click on line `index` does.
    void followLine(int index);
    // True while range statistics or an item's facts are being read.
    bool isComputing() const { return m_job != nullptr && !m_jobDone; }
    // What the last range statistics found.
    const RangeSummary& lastRange() const { return m_range; }
    // As a click on `item` of a graph does once the timeline has handled it.
    void showItem(const PickedItem& item);

private:
    struct Shown {
        wxString text;
        std::function<void()> follow; // empty for lines that lead nowhere
    };

    // Lines for `item` of `layer`; an invalid item empties the panel.
    void showSlice(velmora_1_0::SliceLayer* layer, const velmora_1_0::SliceLayer::Item& item);
    // A press on an item shows it; one where nothing is clears the selection, as Escape does.
    void graphPressed(tarquel_1_0::GraphLayerParent& graph, int x, int y);
    bool isEmptySpace(tarquel_1_0::GraphLayerParent& graph, int x, int y) const;
    void onLineChosen(wxCommandEvent& event);
    void rangeChanged();
    void showRange(tarquel_1_0::GraphLayerParent* graph, std::uint64_t start, std::uint64_t end, const std::vector<int>& rows,
                   const RangeSummary& summary);
    void showItemLines(const PickedItem& item, const ItemDescription::Read& read);
    void goTo(const velmora_1_0::SarvikProvider* areaOf, const ItemDescription::Target& target);
    wxString rowName(tarquel_1_0::GraphLayerParent* graph, int dataRow) const;
    void show(std::vector<Shown> shown);
    template <class Result>
    void startJob(typename BackgroundJob<Result>::Work work, std::function<void(Result)> done);

    tarquel_1_0::Timeline& m_timeline;
    wxListBox* m_list;
    std::vector<Shown> m_shown;
    RangeSummary m_range;
    // The one piece of work under way (an item's facts or a range's statistics): a new
    // selection replaces it, so a late answer never shows over a newer selection.
    // Held type-erased: the jobs differ in what they answer; releasing it cancels and joins.
    std::shared_ptr<void> m_job;
    bool m_jobDone = true;
    // True while this panel itself sets the ruler's selection to show an item's span.
    bool m_selectingSpan = false;
    bool m_spanIsItem = false; // the ruler's selection shows an item, not a range the user chose
    // Cleared when the panel goes: the ruler, which may outlive it, then calls nothing here.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_listening = false;
    std::unique_ptr<GraphClickFilter> m_clicks; // while the graphs are watched
};

} // namespace velmora_viewer
