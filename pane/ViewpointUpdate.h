#pragma once
// Carries what the user changed in a built timeline back into the viewpoint description it was
// built from: the colour of every layer that takes its colour from the description becomes the
// "timelineGraphColor" attribute of the layer's <drawBy> (which wins over the query's colour when
// the description is read again), and the sort order of each area's rows the "sortOrder"
// attribute of its <rowSet>. Everything else of the description stays as it was, in its order.
#include "pane/LayerOrigins.h"

#include <mirrow2/variant_bag_t.h>

#include <cstddef>
#include <vector>

namespace tarquel_1_0 {
class Timeline;
}

namespace velmora_1_0 {

class ViewpointUpdate {
public:
    // `paneAreas` holds, for each area of the timeline, the position of its <area> element among
    // the description's <area> elements.
    ViewpointUpdate(const tarquel_1_0::Timeline& timeline, const LayerOrigins& origins,
                    std::vector<std::size_t> paneAreas);

    mirrow2::variant_bag_t apply(const mirrow2::variant_bag_t& document) const;

private:
    mirrow2::variant_bag_t updateRowSet(const mirrow2::variant_bag_t& rowSet, int paneIndex) const;
    // The <layer> children of a row set or of the ruler, with the colours of their layers.
    mirrow2::variant_bag_t updateLayers(const mirrow2::variant_bag_t& parent, int paneIndex) const;
    int paneOfArea(std::size_t position) const;

    const tarquel_1_0::Timeline& m_timeline;
    const LayerOrigins& m_origins;
    std::vector<std::size_t> m_paneAreas;
};

} // namespace velmora_1_0
