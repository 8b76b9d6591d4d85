#pragma once
// The panel under the timeline that tells about the selection: for a selected slice its facts
// (SliceDetails), with the parent and children as lines that select that slice when clicked; for
// a time range selected on the ruler or dragged across the rows, the slices of the selected rows
// (all rows when none is selected) by name with their count, total and self time in the range
// (SliceRangeStats, computed on a worker). Whichever was selected last is shown.
#include "BackgroundJob.h"

#include "layers/SliceDetails.h"
#include "layers/SliceRangeStats.h"

#include <wx/panel.h>

#include <vector>

class wxListBox;
class wxCommandEvent;

namespace tarquel_1_0 {
class Timeline;
}

namespace velmora_viewer {

class DetailsPanel : public wxPanel {
public:
    DetailsPanel(wxWindow* parent, tarquel_1_0::Timeline& timeline);
    ~DetailsPanel() override;

    // Listens to the slice layers the timeline has now (call after the pane is configured).
    void watchLayers();
    // Clears the selection of every slice layer.
    void clearSelection();
    // The lines shown, top first.
    std::vector<wxString> lines() const;
    // As a click on line `index` does.
    void followLine(int index);
    // True while range statistics are being computed.
    bool isComputing() const { return m_statsJob != nullptr && !m_statsDone; }

private:
    // Lines for `item` of `layer`; an invalid item empties the panel.
    void show(velmora_1_0::SliceLayer* layer, const velmora_1_0::SliceLayer::Item& item);
    void onLineChosen(wxCommandEvent& event);
    void rangeChanged();
    void showStats(std::uint64_t start, std::uint64_t end, int rows,
                   const std::vector<velmora_1_0::SliceRangeStats::Entry>& entries);
    void showLines(const std::vector<wxString>& texts);

    tarquel_1_0::Timeline& m_timeline;
    wxListBox* m_list;
    velmora_1_0::SliceLayer* m_layer = nullptr; // whose selection is shown; owned by the timeline
    std::vector<velmora_1_0::SliceDetails::Line> m_lines;
    std::unique_ptr<BackgroundJob<std::vector<velmora_1_0::SliceRangeStats::Entry>>> m_statsJob;
    bool m_statsDone = true;
    // Cleared when the panel goes: the ruler, which may outlive it, then calls nothing here.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_listening = false;
};

} // namespace velmora_viewer
