#pragma once
// The range a lane's own series spans, written at the lane's left edge so a reader knows what
// the graph's top and bottom stand for: the maximum at the top and the minimum at the bottom, or
// "min – max" on one line when the lane is too low for two. Drawn over the series, after it.
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxDC;

namespace velmora_1_0 {

class SeriesRangeLabel {
public:
    SeriesRangeLabel(const wxString& minimum, const wxString& maximum);

    void paint(wxDC& dc, const wxRect& lane) const;

    // The text colour: dark, to read over the graph, and not a grey, so that no smoothed edge of
    // the text takes the grey that marks excluded time.
    static wxColour colour() { return wxColour(30, 50, 90); }

private:
    wxString m_minimum;
    wxString m_maximum;
};

} // namespace velmora_1_0
