#include "PickedItem.h"

#include "layers/AttrOverTimeLayer.h"
#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"
#include "layers/TransitionLayer.h"
#include "provider/SarvikDataSource.h"

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/SMBDataLayer.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>
#include <vector>

namespace velmora_viewer {

namespace {

using tarquel_1_0::GraphLayer;

std::wstring bandTableOf(const GraphLayer& layer)
{
    const auto* source = dynamic_cast<const velmora_1_0::SarvikDataSource*>(layer.m_dataSource);
    return source ? source->instanceTable.ToStdWstring() : std::wstring();
}

PickedItem pickMarker(velmora_1_0::EventMarkerLayer& layer)
{
    const std::vector<velmora_1_0::EventMarkerLayer::EventMarker> hits = layer.getHittestItems();
    if (hits.empty())
        return {};
    // Of overlapping markers the last drawn, which is the one on top.
    const velmora_1_0::EventMarkerLayer::EventMarker& marker = hits.back();
    return PickedItem::marker(layer, marker.row, marker.startTime, marker.endTime, marker.instanceIndex);
}

PickedItem pickTransition(velmora_1_0::TransitionLayer& layer)
{
    PickedItem item;
    if (!layer.canSelect())
        return item;
    const velmora_1_0::TransitionLayer::Transition& transition = layer.getHittestItem();
    item.kind = PickedItem::Kind::transition;
    item.fromRow = transition.fromRow;
    item.row = transition.toRow;
    item.start = transition.startTime;
    item.end = transition.endTime;
    item.instance = transition.instanceIndex;
    return item;
}

PickedItem pickState(tarquel_1_0::SMBDataLayer& layer, tarquel_1_0::GraphLayerParent& graph, int x, int y)
{
    PickedItem item;
    const tarquel_1_0::DataProvider::SMBInterval* interval = layer.getHitInterval();
    if (!interval)
        return item;
    item.kind = PickedItem::Kind::state;
    item.row = graph.getDataRowAt(x, y, true);
    item.start = interval->start;
    item.end = interval->end;
    item.instance = interval->instanceIndex;
    item.running = interval->value != 0;
    return item;
}

PickedItem pickSample(velmora_1_0::AttrOverTimeLayer& layer, const tarquel_1_0::Ruler& ruler, int x)
{
    PickedItem item;
    if (layer.getHitRow() == -1)
        return item;
    std::vector<wxString> lines;
    layer.getTooltip(1, lines);
    if (lines.empty())
        return item;
    item.kind = PickedItem::Kind::counterSample;
    item.row = layer.getHitRow();
    // A sample is what one pixel column shows: the time that column covers now.
    item.start = ruler.timeFromX(x).GetValue();
    item.end = std::max<std::uint64_t>(item.start, ruler.timeFromX(x + 1).GetValue());
    item.value = lines.front();
    return item;
}

} // namespace

PickedItem PickedItem::marker(velmora_1_0::EventMarkerLayer& layer, int row, std::uint64_t start, std::uint64_t end,
                              int instance)
{
    PickedItem item;
    const bool global = dynamic_cast<velmora_1_0::GlobalEventMarkerLayer*>(&layer) != nullptr;
    item.kind = global ? Kind::globalMarker : Kind::marker;
    item.layer = &layer;
    item.layerName = layer.getLayerName();
    item.bandTable = bandTableOf(layer);
    item.row = global ? -1 : row;
    item.start = start;
    item.end = end;
    item.instance = instance;
    return item;
}

PickedItem PickedItem::at(tarquel_1_0::Timeline& timeline, tarquel_1_0::GraphLayerParent& graph, int x, int y)
{
    const tarquel_1_0::Directory& directory = timeline.getDirectory();
    std::vector<GraphLayer*> layers;
    for (GraphLayer* layer : directory.getLayers())
        if (directory.findGraphOf(layer) == &graph && layer->m_enabled && layer->m_visible)
            layers.push_back(layer);
    // Two passes, topmost layer first: what a click selects in its layer wins over what it does not.
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
            GraphLayer& layer = **it;
            PickedItem item;
            if (pass == 0) {
                if (auto* markers = dynamic_cast<velmora_1_0::EventMarkerLayer*>(&layer))
                    item = pickMarker(*markers);
                else if (auto* transitions = dynamic_cast<velmora_1_0::TransitionLayer*>(&layer))
                    item = pickTransition(*transitions);
            } else if (auto* states = dynamic_cast<tarquel_1_0::SMBDataLayer*>(&layer)) {
                item = pickState(*states, graph, x, y);
            } else if (auto* counters = dynamic_cast<velmora_1_0::AttrOverTimeLayer*>(&layer)) {
                item = pickSample(*counters, *timeline.getRuler(), x);
            }
            if (item.valid()) {
                item.layer = &layer;
                item.layerName = layer.getLayerName();
                item.bandTable = bandTableOf(layer);
                return item;
            }
        }
    }
    return {};
}

} // namespace velmora_viewer
