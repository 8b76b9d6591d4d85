#include "pane/LayerLocation.h"

namespace velmora_1_0 {

LayerLocation::LayerLocation(int areaInstance, int rowSetInstance, int layerInstance)
    : m_areaInstance(areaInstance), m_rowSetInstance(rowSetInstance), m_layerInstance(layerInstance)
{
}

wxString LayerLocation::text() const
{
    if (isRuler())
        return wxString::Format("under <ruler>, layer instance %d", m_layerInstance);
    return wxString::Format("area instance %d, rowSet instance %d, layer instance %d", m_areaInstance,
                            m_rowSetInstance, m_layerInstance);
}

} // namespace velmora_1_0
