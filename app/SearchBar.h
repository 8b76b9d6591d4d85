#pragma once
// The search field of the viewer (Ctrl+F): typing finds the slices whose names contain the text,
// across all rows, on a worker (BackgroundJob); the matches are marked in the slice layer and
// counted beside the field. Enter and Shift+Enter select the next and previous match and zoom
// the view to it; Escape closes the field and removes the marks.
#include "BackgroundJob.h"

#include "layers/SliceSearch.h"

#include <wx/panel.h>

#include <memory>
#include <vector>

class wxStaticText;
class wxTextCtrl;

namespace tarquel_1_0 {
class Timeline;
}

namespace velmora_viewer {

class SearchBar : public wxPanel {
public:
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
    // -1 before the first step.
    int currentMatch() const { return m_current; }
    bool isSearching() const { return m_job != nullptr && !m_answered; }
    wxString countText() const;
    // The text field, where typing and Enter go.
    wxWindow* field() const;

private:
    velmora_1_0::SliceLayer* sliceLayer() const;
    void matchesFound(std::vector<velmora_1_0::SliceSearch::Match> matches);
    void showCount();
    void onKey(wxKeyEvent& event);

    tarquel_1_0::Timeline& m_timeline;
    wxTextCtrl* m_field;
    wxStaticText* m_count;
    std::unique_ptr<BackgroundJob<std::vector<velmora_1_0::SliceSearch::Match>>> m_job;
    bool m_answered = true;
    std::vector<velmora_1_0::SliceSearch::Match> m_matches;
    int m_current = -1;
};

} // namespace velmora_viewer
