#pragma once
// What the host hears of the user's actions on a timeline: item selection and activation, the
// ruler and row-header context menus and their commands, a selected time range, row selection,
// visibility and colour changes. The host derives from it and installs it per area
// (Timeline::setEventCallback) and for the ruler (setGlobalEventCallback); the timeline borrows it.
// The timeline calls it on the UI thread, after its own state (ruler selection, header selection,
// layer selection) already reflects the action.
#include <chart_export.h>

#include <vector>

#include <wx/colour.h>
#include <wx/string.h>

namespace tarquel_1_0 {

class GraphLayer;
class GraphLayerParent;
class HeaderCtrl;
class Timeline;

class TARQUEL_API EventCallback {
public:
    EventCallback() = default;
    EventCallback(const EventCallback&) = delete;
    EventCallback& operator=(const EventCallback&) = delete;

    // Virtual operations in slot order.
    virtual ~EventCallback();
    // A click selected an item of `layer` (its setSelection returned true).
    virtual void itemSelected(GraphLayer* layer) = 0;
    // A double click on an item of `layer`.
    virtual void itemActivated(GraphLayer* layer) = 0;
    // Right click on the ruler; menus pop up on `timeline`, whose menu events come back through
    // rulerMenuCommand.
    virtual void rulerContextMenu(Timeline* timeline) = 0;
    // A drag on the ruler selected a range (Ruler::getSelectionStart/End).
    virtual void rulerRangeSelected(Timeline* timeline) = 0;
    virtual void rulerMenuCommand(Timeline* timeline, int id) = 0;
    // Rows of `graph` were shown or hidden (filter or sort). Base: every layer of the graph
    // fetches what it is missing, then all graphs are drawn again.
    virtual void rowVisibilityChanged(Timeline* timeline, GraphLayerParent* graph);
    // A layer's colour command chose `colour`; `what` names the colour ("Graph color", ...).
    virtual void layerColorChanged(GraphLayer* layer, const wxString& what, const wxColour& colour) = 0;
    // The header's selection changed to these data rows.
    virtual void rowsSelected(GraphLayerParent* graph, const std::vector<int>& rows) = 0;
    // Right click on a row header; its menu events come back through headerMenuCommand.
    virtual void headerContextMenu(HeaderCtrl* header) = 0;
    virtual void headerMenuCommand(HeaderCtrl* header, int id) = 0;
};

} // namespace tarquel_1_0
