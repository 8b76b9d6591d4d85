#pragma once
// A capture of a pane's window as the screen shows it, with the timeline's geometry mapped into
// it: where a graph, a row of a graph and a time column lie in the picture. Tests ask how many
// pixels of one exact colour a rectangle holds, so each layer is found by the colour it paints.
#include <cstdint>
#include <filesystem>

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

namespace tarquel_1_0 {
class Timeline;
}

namespace velmora_1_0 {
class TimelinePane;
}

namespace pane_test {

class PaneScreenshot {
public:
    // Paints the pane now and copies its window from the screen.
    explicit PaneScreenshot(velmora_1_0::TimelinePane& pane);

    bool save(const std::filesystem::path& file) const;

    // The graph window of an area (-1: the ruler) in picture coordinates.
    wxRect graphRect(int paneIndex) const;
    // A data row of that graph (the ruler's strip is its row 0).
    wxRect rowRect(int paneIndex, int dataRow) const;
    // Picture column of a time (nanoseconds from the start of the data) in that graph.
    int columnOf(int paneIndex, std::uint64_t time) const;

    // Pixels of exactly `colour` in `area` (clipped to the picture).
    int count(const wxRect& area, const wxColour& colour) const;

private:
    tarquel_1_0::Timeline& m_timeline;
    wxPoint m_origin; // the captured window's client origin on screen
    wxImage m_image;
};

} // namespace pane_test
