#include "pane/LayerFactory.h"

#include "pane/LayerOrigins.h"

#include "layers/AttrOverTimeLayer.h"
#include "layers/DerivedOverTimeLayer.h"
#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"
#include "layers/OverTimeLayer.h"
#include "layers/SliceLayer.h"
#include "layers/TransitionLayer.h"
#include "provider/SarvikDataSource.h"

#include <tarquel_1_0/SMBDataLayer.h>
#include <tarquel_1_0/Timeline.h>

namespace velmora_1_0 {

using dd_sarvik_2_2::dd_overtime_query;
using tarquel_1_0::GraphLayer;

LayerFactory::LayerFactory(tarquel_1_0::Timeline& timeline, LayerOrigins& origins)
    : m_timeline(timeline), m_origins(origins)
{
}

void LayerFactory::overTime(dd_overtime_query::data_src source, ViewpointParser::LayerInfo& layer, int paneIndex)
{
    SarvikDataSource& described = layer.drawBy.dataSource;
    described.overTimeSource = source;
    described.series.push_back({described.query, described.attributeTable, described.instanceTable,
                                described.attributeName, described.auxName, wxString()});

    auto created = std::make_unique<OverTimeLayer>();
    created->setType(source);
    add(std::move(created), layer, paneIndex, {true, false, Placement::pane});
}

void LayerFactory::derived(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    add(std::make_unique<DerivedOverTimeLayer>(), layer, paneIndex, {true, false, Placement::pane});
}

void LayerFactory::eventMarkers(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    auto created = std::make_unique<EventMarkerLayer>();
    created->setIconType(layer.drawBy.iconType);
    add(std::move(created), layer, paneIndex, {});
}

void LayerFactory::slices(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    // Slice colours come from their names, not from the viewpoint.
    add(std::make_unique<SliceLayer>(), layer, paneIndex, {false, false, Placement::pane});
}

void LayerFactory::multiBand(const ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& rowByName)
{
    // The state strip keeps the provider's running and waiting colours.
    auto created = std::make_unique<tarquel_1_0::SMBDataLayer>();
    created->setRowByName(rowByName);
    add(std::move(created), layer, paneIndex, {false, true, Placement::pane});
}

bool LayerFactory::globalBand(const ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& markerIconType)
{
    switch (layer.drawBy.format) {
    case 0: {
        auto created = std::make_unique<GlobalEventMarkerLayer>();
        created->setIconType(markerIconType);
        add(std::move(created), layer, paneIndex, {true, true, Placement::ruler});
        return true;
    }
    case 1:
    case 2:
        add(std::make_unique<AttrOverTimeLayer>(), layer, paneIndex, {});
        return true;
    default:
        return false;
    }
}

void LayerFactory::transitions(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    add(std::make_unique<TransitionLayer>(), layer, paneIndex, {});
}

void LayerFactory::add(std::unique_ptr<GraphLayer> target, const ViewpointParser::LayerInfo& layer, int paneIndex,
                       Setup setup) const
{
    const ViewpointParser::DrawBy& drawBy = layer.drawBy;
    target->setDataSource(new SarvikDataSource(drawBy.dataSource));
    target->setLayerName(drawBy.displayName);
    target->setDisplayFormat(drawBy.format);
    if (setup.colour && drawBy.graphColorSet)
        target->setColor(drawBy.graphColor);
    if (setup.tooltip && layer.hasTooltipBy)
        target->setTooltipSource(new SarvikDataSource(layer.tooltipBy.dataSource));
    const GraphLayer& added = *target;
    // The timeline owns the layer from here on (it deletes one it cannot place).
    if (setup.placement == Placement::ruler) {
        m_timeline.addGlobalLayer(target.release());
    } else if (!m_timeline.addLayer(paneIndex, target.release(), 0)) {
        return;
    }
    if (setup.colour)
        m_origins.record(added, setup.placement == Placement::ruler ? -1 : paneIndex, layer.instance);
}

} // namespace velmora_1_0
