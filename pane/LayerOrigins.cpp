#include "pane/LayerOrigins.h"

namespace velmora_1_0 {

void LayerOrigins::record(const tarquel_1_0::GraphLayer& layer, int paneIndex, int layerInstance)
{
    m_origins.push_back({&layer, paneIndex, layerInstance});
}

} // namespace velmora_1_0
