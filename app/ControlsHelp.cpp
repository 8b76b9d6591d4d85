#include "ControlsHelp.h"

namespace velmora_viewer {

const std::vector<ControlsHelp::Entry>& ControlsHelp::entries()
{
    static const std::vector<Entry> controls = {
        {"Wheel", "zoom in and out around the pointer"},
        {"Shift+wheel, sideways wheel", "move earlier or later in time"},
        {"Ctrl+wheel", "scroll the rows"},
        {"W / S", "zoom in / out around the pointer (+ / - around the middle of the view)"},
        {"A / D, Left / Right", "move earlier / later in time; a run of moves is one undo step"},
        {"Home / End", "go to the start / the end of the data, keeping the zoom"},
        {"Up / Down, Page Up / Page Down", "scroll the rows"},
        {"Backspace", "undo the last zoom or run of moves; 0 shows everything"},
        {"Drag on the ruler",
         "select a time range (the ruler shows its length) and open the ruler's menu"},
        {"Drag across the rows",
         "select a time range; the panel below lists its slices and each thread's CPU time in it (of the rows selected in the header, or all)"},
        {"Click a slice, marker, wait, arrow, counter or ruler event",
         "select it; the panel below shows what the data holds about it (a CPU sample its call stack); its parent, children or an arrow's ends lead there when clicked; Escape or a click where nothing is clears"},
        {"Ctrl+F",
         "find slices, markers and ruler events by name; Enter / Shift+Enter go to the next / previous match, Escape closes"},
        {"Right click on the ruler or the row names", "zoom, filter and sort commands"},
        {"Drag the divider between two areas", "give one area more height and the other less"},
        {"Ctrl+S", "save the viewpoint with the colours and sort orders as they are now"},
    };
    return controls;
}

wxString ControlsHelp::text()
{
    wxString all;
    for (const Entry& entry : entries())
        all += (all.empty() ? "" : "\n") + entry.first + ": " + entry.second;
    return all;
}

} // namespace velmora_viewer
