#pragma once
// Names a layer in resolution messages: by area, row set and layer instance, or as a ruler
// layer when the area or row set instance is below 1 (ruler layers carry 0 for both).
#include <VelmoraExport.h>

#include <wx/string.h>

namespace velmora_1_0 {

class VELMORA_API LayerLocation {
public:
    LayerLocation(int areaInstance, int rowSetInstance, int layerInstance);

    bool isRuler() const { return m_areaInstance < 1 || m_rowSetInstance < 1; }
    // "area instance 1, rowSet instance 2, layer instance 3" or "under <ruler>, layer instance 3".
    wxString text() const;

private:
    int m_areaInstance;
    int m_rowSetInstance;
    int m_layerInstance;
};

} // namespace velmora_1_0
