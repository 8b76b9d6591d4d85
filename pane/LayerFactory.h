#pragma once
// Creates the layers of a configured timeline and adds them to it. Every layer gets the same
// set-up from its layer description (a copy of the drawBy data source, name, display format,
// colour, tooltip source) and differs only in its class and in a step or two of its own. The pane
// decides which builder a layer needs; the factory only builds and adds, and records in the
// pane's LayerOrigins where each layer that takes its colour from the description came from.
#include "pane/ViewpointParser.h"

#include <dd_sarvik_2_2/dd_overtime_query.h>

#include <wx/string.h>

#include <memory>

namespace tarquel_1_0 {
class GraphLayer;
class Timeline;
} // namespace tarquel_1_0

namespace velmora_1_0 {

class LayerOrigins;

class LayerFactory {
public:
    LayerFactory(tarquel_1_0::Timeline& timeline, LayerOrigins& origins);

    // Over-time series of time, count or instance count; also records the series and the source
    // kind in the description's data source, so the copy the layer takes carries them.
    void overTime(dd_sarvik_2_2::dd_overtime_query::data_src source, ViewpointParser::LayerInfo& layer,
                  int paneIndex);
    void derived(const ViewpointParser::LayerInfo& layer, int paneIndex);
    void eventMarkers(const ViewpointParser::LayerInfo& layer, int paneIndex);
    // Durations of a single-band table as named slices in nesting lanes.
    void slices(const ViewpointParser::LayerInfo& layer, int paneIndex);
    void multiBand(const ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& rowByName);
    // A global band is drawn as markers on the ruler (format 0, with markerIconType) or as an
    // attribute over-time graph at paneIndex (formats 1 and 2). False for any other format.
    bool globalBand(const ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& markerIconType);
    void transitions(const ViewpointParser::LayerInfo& layer, int paneIndex);

private:
    enum class Placement { pane, ruler };
    // What a layer takes from its description besides data source, name and display format.
    struct Setup {
        bool colour = true;  // false for layers whose colours come from elsewhere
        bool tooltip = true;
        Placement placement = Placement::pane;
    };

    // Data source copy, name, display format, the colour and the tooltip source as the setup
    // asks, then hands the layer to the timeline.
    void add(std::unique_ptr<tarquel_1_0::GraphLayer> target, const ViewpointParser::LayerInfo& layer,
             int paneIndex, Setup setup) const;

    tarquel_1_0::Timeline& m_timeline;
    LayerOrigins& m_origins;
};

} // namespace velmora_1_0
