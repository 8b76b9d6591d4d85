#pragma once
// The event markers that belong to no row, drawn on the bottom line of the timeline's ruler.
// One request fetches all of them; while the mouse is over some of them the ruler frames the time
// span from the first hovered marker's start to the last one's end. Choosing, drawing, hit tests,
// selection, tooltips and the legend are EventMarkerLayer's (its markers sit in row 0 there).
//
// The pane adds it to the timeline as a global layer; the timeline calls it like any layer.
#include "layers/EventMarkerLayer.h"

namespace velmora_1_0 {

class VELMORA_API GlobalEventMarkerLayer : public EventMarkerLayer {
public:
    GlobalEventMarkerLayer();
    GlobalEventMarkerLayer(const GlobalEventMarkerLayer& other) = default;
    GlobalEventMarkerLayer& operator=(const GlobalEventMarkerLayer& other) = default;

    // Virtual operations in slot order.
    ~GlobalEventMarkerLayer() override;
    void requestData(bool onlyIfMissing) override;
    bool hittest(int x, int y) override;

protected:
    // Draws on the ruler's bottom line whatever row position it is given.
    wxRect drawMarker(tarquel_1_0::Renderer& renderer, wxDC& dc, int x1, int x2, int y, const EventMarker& marker,
                      bool highlight, bool measureOnly, bool innerPass) override;
    void consumeItems() override;
};

} // namespace velmora_1_0
