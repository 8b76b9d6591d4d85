#pragma once
// What a layer knows of the graph it is drawn in: the rows of its area, the area's data provider
// and the renderer. The area pane implements it, one per area (and one for the ruler's global
// layers). Layers call it on the UI thread only.
//
// Rows: a data row is the provider's row index, a display row its place on screen (top first);
// getDataRow and getDisplayRow map between them (-1 when out of range or filtered out). Rectangles
// are in the coordinates layers draw in (their memory DC), unless `windowCoordinates` asks for the
// graph window's client coordinates (they differ by the vertical scroll position). A row is its
// strip, where layers draw by default, and below it whatever extra height layers asked for.
#include <chart_export.h>
#include <tarquel_1_0/Renderer.h>

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/longlong.h>
#include <wx/string.h>

class wxWindow;

namespace tarquel_1_0 {

class DataProvider;
class GraphLayer;
class Ruler;

class TARQUEL_API GraphLayerParent {
public:
    GraphLayerParent() = default;
    GraphLayerParent(const GraphLayerParent&) = delete;
    GraphLayerParent& operator=(const GraphLayerParent&) = delete;
    virtual ~GraphLayerParent();

    // Virtual operations in slot order.

    // True for the one layer of the area that paints the row backgrounds (the first that asks).
    virtual bool claimRowBackgroundPainting(GraphLayer* layer) = 0;
    // A layer's colour command changed `colour`; `what` names which colour (e.g. "Graph color").
    virtual void layerColorChanged(GraphLayer* layer, const wxColour& colour, const wxString& what) = 0;
    // Start (on) or stop periodic layer->updateData(dc, true) calls (see UpdateTimer).
    virtual void requestUpdateTimer(GraphLayer* layer, bool on) = 0;
    virtual wxRect getRowRect(int displayRow, bool windowCoordinates) = 0;
    // First and last display row in view; both -1 when no row is.
    virtual void getVisibleRowRange(int& first, int& last) = 0;
    virtual int getDataRow(int displayRow) = 0;
    virtual int getDisplayRow(int dataRow) = 0;
    // Number of data rows.
    virtual int getRowCount() = 0;
    virtual wxString getRowName(int displayRow) = 0;
    // Lifetime of a data row; false (and 0, 0) when unknown.
    virtual bool getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end) = 0;
    // Part of the visible range in which a display row lives; false when it lives outside it.
    virtual bool getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end) = 0;
    // Data row under a point, -1 when none.
    virtual int getDataRowAt(int x, int y, bool windowCoordinates) = 0;
    // Where a display row's graph is drawn (the row rectangle without its separators).
    virtual wxRect getRowGraphRect(int displayRow) = 0;
    // The graph window: parent of dialogs, and whether the area is shown.
    virtual wxWindow* getWindow() = 0;
    // A row may grow below its strip (getRowRect) by lanes of its own: `layer` asks for `pixels`
    // more under the data row (0 gives them back). A row is as tall as its largest ask. Base:
    // rows never grow.
    virtual void setRowExtraHeight(GraphLayer* layer, int dataRow, int pixels);
    // The part of a display row under its strip; height 0 when the row has not grown.
    virtual wxRect getRowExtraRect(int displayRow);

    DataProvider* m_dataProvider = nullptr; // the area's provider, owned by the timeline
    Renderer m_renderer;
    Ruler* m_ruler = nullptr; // the timeline's ruler, set by the timeline with the graph
};

} // namespace tarquel_1_0
