#pragma once
// The search field of the viewer (Ctrl+F): typing finds the slices, markers and ruler events
// whose names contain the text, across all rows, on a worker (BackgroundJob); the matches are
// marked in their layers and counted beside the field. Enter and Shift+Enter select the next and
// previous match and bring it into view (a slice or duration marker zoomed to fill the middle of
// the view, an instant centred at the current zoom); Escape closes the field and removes the marks.
#include "BackgroundJob.h"

#include <wx/panel.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class wxStaticText;
class wxTextCtrl;

namespace tarquel_1_0 {
class Timeline;
}
namespace velmora_1_0 {
class EventMarkerLayer;
class SliceLayer;
}

namespace velmora_viewer {

class SearchBar : public wxPanel {
public:
    // A slice (slice >= 0) or a marker of a layer; times in nanoseconds.
    struct Match {
        velmora_1_0::SliceLayer* slices = nullptr;        // owned by the timeline
        velmora_1_0::EventMarkerLayer* markers = nullptr; // owned by the timeline
        int row = -1;
        int slice = -1;
        int instance = -1;
        std::uint64_t startTime = 0;
        std::uint64_t endTime = 0;
    };

    SearchBar(wxWindow* parent, tarquel_1_0::Timeline& timeline);
    ~SearchBar() override;

    // Shows the field with the focus in it.
    void open();
    // Hides it and removes the marks.
    void close();
    // Searches for `text` as typing it does.
    void search(const wxString& text);
    // To the next (forward) or previous match; false when there is none.
    bool step(bool forward);
    int matchCount() const { return static_cast<int>(m_matches.size()); }
    const std::vector<Match>& matches() const { return m_matches; }
    // -1 before the first step.
    int currentMatch() const { return m_current; }
    bool isSearching() const { return m_job != nullptr && !m_answered; }
    wxString countText() const;
    // The text field, where typing and Enter go.
    wxWindow* field() const;
    // Called with each match stepped to, after it was selected.
    void setStepListener(std::function<void(const Match&)> listener) { m_onStep = std::move(listener); }

private:
    velmora_1_0::SliceLayer* sliceLayer() const;
    std::vector<velmora_1_0::EventMarkerLayer*> markerLayers() const;
    void matchesFound(std::vector<Match> matches);
    void markMatches();
    void showCount();
    void onKey(wxKeyEvent& event);

    tarquel_1_0::Timeline& m_timeline;
    wxTextCtrl* m_field;
    wxStaticText* m_count;
    std::unique_ptr<BackgroundJob<std::vector<Match>>> m_job;
    bool m_answered = true;
    std::vector<Match> m_matches;
    int m_current = -1;
    std::function<void(const Match&)> m_onStep;
};

} // namespace velmora_viewer
