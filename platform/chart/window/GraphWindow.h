#pragma once
// What the ruler window and an area's graph have in common: a window that owns a stack of layers
// and implements GraphLayerParent for them. Layers draw into a memory bitmap (renderAll), data
// that arrives is applied and drawn there (layerDataReady), and a paint copies the bitmap to the
// screen with the hovered items highlighted on top. The mouse hit-tests the layers (their
// tooltip lines show in a popup that follows the pointer), selects and activates items through
// the EventCallback, the wheel zooms around the pointer and the keyboard zooms and pans.
// Subclasses supply the row geometry and the background. The bitmap has the size of the window,
// so layers draw in window coordinates and only the rows in view are ever drawn.
#include <tarquel_1_0/GraphLayerParent.h>

#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/timer.h>
#include <wx/window.h>

namespace tarquel_1_0 {

class DataProvider;
class EventCallback;
class GraphLayer;
class Timeline;
class TooltipPopup;
class UpdateTimer;

class GraphWindow : public wxWindow, public GraphLayerParent {
public:
    GraphWindow(wxWindow* parent, Timeline* timeline);
    ~GraphWindow() override;
    GraphWindow(const GraphWindow&) = delete;
    GraphWindow& operator=(const GraphWindow&) = delete;

    Timeline* getTimeline() const { return m_timeline; }

    // Takes ownership; `position` 0 puts the layer on top of those added before.
    void addLayer(GraphLayer* layer, int position);
    // Bottom to top.
    std::vector<GraphLayer*> getLayers() const;

    // With `owned` the provider is ended through deleteSelf when replaced or destroyed.
    void setProvider(DataProvider* provider, bool owned);
    void setEventCallback(EventCallback* callback) { m_callback = callback; }
    EventCallback* getEventCallback() const { return m_callback; }
    void enableFilterLayer() { m_filterLayer = true; }
    bool isFilterLayerEnabled() const { return m_filterLayer; }

    // Every enabled layer asks for its data.
    void requestData(bool onlyIfMissing);
    // All layers again into the bitmap, then a repaint.
    void renderAll();
    // A provider said `layer` has data: collect, apply, draw.
    void layerDataReady(GraphLayer* layer);
    // Data arrived under other layers and the stack is about to be drawn again.
    virtual bool isRepaintPending() const;
    void clearLayerSelection(GraphLayer* except);
    GraphLayer* getSelectionLayer() const;
    void clearHittest();

    // GraphLayerParent, shared part.
    bool claimRowBackgroundPainting(GraphLayer* layer) override;
    void layerColorChanged(GraphLayer* layer, const wxColour& colour, const wxString& what) override;
    void requestUpdateTimer(GraphLayer* layer, bool on) override;
    wxWindow* getWindow() override { return this; }

protected:
    // Background under the layers: ruler ticks, row stripes.
    virtual void drawBackground(wxDC& dc) = 0;
    // Drawn on the screen copy over the layers: selection shading, frames.
    virtual void drawOverlay(wxDC& dc) const;
    // Mouse hooks for subclasses; return true when the event was used.
    virtual bool handleLeftDown(wxMouseEvent& event);
    virtual bool handleMotion(wxMouseEvent& event);
    virtual bool handleLeftUp(wxMouseEvent& event);
    virtual void handleRightDown(wxMouseEvent& event);
    // Width or height of the drawing surface changed.
    virtual void sizeChanged(const wxSize& size);
    // Where excluded time is masked: the whole window.
    virtual wxRect maskedArea() const;
    // Keys and Ctrl+wheel move the rows in view by `rows` (negative: up). Base: nothing to move.
    virtual void scrollRows(int rows);
    // Click (or double click) on whatever the top layer under the pointer can select.
    void selectAt(bool activate);

private:
    void onPaint(wxPaintEvent& event);
    void onSize(wxSizeEvent& event);
    void onMouse(wxMouseEvent& event);
    void onWheel(wxMouseEvent& event);
    void onKey(wxKeyEvent& event);
    void hover(int x, int y);
    // The hovered items' tooltip lines, topmost layer first.
    wxString tooltipText() const;
    // Zooms keeping the time under column x in place (the middle of the view when x is -1).
    void zoomAround(int x, double factor);
    // Moves the view by `fraction` of its span (negative: earlier).
    void pan(double fraction);
    void updateTick(GraphLayer& layer);
    // Applies what `layer` has; draws it at once when nothing enabled lies above it.
    void applyData(GraphLayer& layer);
    bool hasEnabledLayerAbove(const GraphLayer& layer) const;
    // Rows a page key moves: those in view but one, so one row stays for orientation.
    int pageRows();
    // Covers the columns whose time the time filter excludes, over whatever the layers drew.
    void maskExcludedTime(wxDC& dc);
    bool isExcludedColumn(int x) const;
    // m_buffer plus the highlights and overlays, into m_frame.
    void composeFrame();
    // The bitmap the layers draw in, sized to the window (at least one pixel).
    wxBitmap& buffer();

    Timeline* m_timeline;
    std::vector<std::unique_ptr<GraphLayer>> m_layers; // bottom to top
    EventCallback* m_callback = nullptr;                // borrowed
    bool m_ownsProvider = false;
    bool m_filterLayer = false;
    GraphLayer* m_backgroundLayer = nullptr; // the layer that claimed the row backgrounds
    wxBitmap m_buffer; // what the layers drew
    wxBitmap m_frame;  // what the screen shows
    std::unique_ptr<UpdateTimer> m_updateTimer;
    wxTimer m_repaintTimer; // runs while a repaint of the whole stack is due
    int m_pointerX = -1;    // column of the mouse over the window, -1 when it is elsewhere
    TooltipPopup* m_tooltip; // child window
};

} // namespace tarquel_1_0
