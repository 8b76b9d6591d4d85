#pragma once
// The tooltip a graph window shows now: the graph's own popup, found by its name among the
// window's children; its label is the text it shows.
class wxWindow;
class wxString;

namespace chart_test {

// Null while no tooltip shows.
wxWindow* shownTooltip(wxWindow* graph);
// Empty while no tooltip shows.
wxString shownTooltipText(wxWindow* graph);

} // namespace chart_test
