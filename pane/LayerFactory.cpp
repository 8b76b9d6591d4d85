#include "pane/LayerFactory.h"

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

LayerFactory::LayerFactory(tarquel_1_0::Timeline& timeline) : m_timeline(timeline) {}

void LayerFactory::overTime(dd_overtime_query::data_src source, ViewpointParser::LayerInfo& layer, int paneIndex)
{
    SarvikDataSource& described = layer.drawBy.dataSource;
    described.overTimeSource = source;
    described.series.push_back({described.query, described.attributeTable, described.instanceTable,
                                described.attributeName, described.auxName, wxString()});

    auto created = std::make_unique<OverTimeLayer>();
    created->setType(source);
    describe(*created, layer.drawBy, true);
    add(std::move(created), layer, paneIndex, false, Placement::pane);
}

void LayerFactory::derived(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    auto created = std::make_unique<DerivedOverTimeLayer>();
    describe(*created, layer.drawBy, true);
    add(std::move(created), layer, paneIndex, false, Placement::pane);
}

void LayerFactory::eventMarkers(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    auto created = std::make_unique<EventMarkerLayer>();
    describe(*created, layer.drawBy, true);
    created->setIconType(layer.drawBy.iconType);
    add(std::move(created), layer, paneIndex, true, Placement::pane);
}

void LayerFactory::slices(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    // Slice colours come from their names, not from the viewpoint.
    auto created = std::make_unique<SliceLayer>();
    describe(*created, layer.drawBy, false);
    add(std::move(created), layer, paneIndex, false, Placement::pane);
}

void LayerFactory::multiBand(const ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& rowByName)
{
    // The state strip keeps the provider's running and waiting colours.
    auto created = std::make_unique<tarquel_1_0::SMBDataLayer>();
    describe(*created, layer.drawBy, false);
    created->setRowByName(rowByName);
    add(std::move(created), layer, paneIndex, true, Placement::pane);
}

bool LayerFactory::globalBand(const ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& markerIconType)
{
    switch (layer.drawBy.format) {
    case 0: {
        auto created = std::make_unique<GlobalEventMarkerLayer>();
        describe(*created, layer.drawBy, true);
        created->setIconType(markerIconType);
        add(std::move(created), layer, paneIndex, true, Placement::ruler);
        return true;
    }
    case 1:
    case 2: {
        auto created = std::make_unique<AttrOverTimeLayer>();
        describe(*created, layer.drawBy, true);
        add(std::move(created), layer, paneIndex, true, Placement::pane);
        return true;
    }
    default:
        return false;
    }
}

void LayerFactory::transitions(const ViewpointParser::LayerInfo& layer, int paneIndex)
{
    auto created = std::make_unique<TransitionLayer>();
    describe(*created, layer.drawBy, true);
    add(std::move(created), layer, paneIndex, true, Placement::pane);
}

void LayerFactory::describe(GraphLayer& target, const ViewpointParser::DrawBy& drawBy, bool withColour) const
{
    target.setDataSource(new SarvikDataSource(drawBy.dataSource));
    target.setLayerName(drawBy.displayName);
    target.setDisplayFormat(drawBy.format);
    if (withColour && drawBy.graphColorSet)
        target.setColor(drawBy.graphColor);
}

void LayerFactory::add(std::unique_ptr<GraphLayer> target, const ViewpointParser::LayerInfo& layer, int paneIndex,
                       bool withTooltip, Placement placement) const
{
    if (withTooltip && layer.hasTooltipBy)
        target->setTooltipSource(new SarvikDataSource(layer.tooltipBy.dataSource));
    // The timeline owns the layer from here on (it deletes one it cannot place).
    if (placement == Placement::ruler)
        m_timeline.addGlobalLayer(target.release());
    else
        m_timeline.addLayer(paneIndex, target.release(), 0);
}

} // namespace velmora_1_0
