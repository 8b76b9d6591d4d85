#pragma once
// What a click in a graph hit, taken from the hover state the layers keep for their tooltips at
// the moment of the click: a marker (of a row or of the ruler), a transition, a state interval or
// a counter sample. Slices are not picked here: the slice layer reports its own selection. A plain
// value: the details panel reads the facts of its instance on a worker and turns them into lines.
#include <cstdint>
#include <string>

#include <wx/string.h>

namespace tarquel_1_0 {
class GraphLayer;
class GraphLayerParent;
class Timeline;
}

namespace velmora_1_0 {
class EventMarkerLayer;
}

namespace velmora_viewer {

struct PickedItem {
    enum class Kind { none, marker, globalMarker, transition, state, counterSample };

    // The item under (x, y) of `graph`'s window, the topmost layer first; the kinds a click
    // selects in their layer (markers, transitions) before the ones it does not.
    static PickedItem at(tarquel_1_0::Timeline& timeline, tarquel_1_0::GraphLayerParent& graph, int x, int y);

    // A marker of `layer` as its records carry it (a search match, say).
    static PickedItem marker(velmora_1_0::EventMarkerLayer& layer, int row, std::uint64_t start, std::uint64_t end,
                             int instance);

    bool valid() const { return kind != Kind::none; }

    Kind kind = Kind::none;
    tarquel_1_0::GraphLayer* layer = nullptr; // owned by the timeline
    wxString layerName;
    std::wstring bandTable; // where the instance lives; empty for counter samples
    int instance = -1;
    int row = -1;      // data row; for a transition its end's row
    int fromRow = -1;  // a transition's start row
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    bool running = false; // a state interval: running rather than waiting
    wxString value;       // a counter sample's value, as its tooltip gives it
};

} // namespace velmora_viewer
