#include "layers/AttrOverTimeLayer.h"

namespace velmora_1_0 {

AttrOverTimeLayer::AttrOverTimeLayer()
    : OverTimeLayer("Attribute-over-time Data", {&SarvikProvider::requestAttrOverTimeData,
                              &SarvikProvider::consumeAttrOverTimeDataArray,
                              &SarvikProvider::clearAttrOverTimeRequests})
{
    // Rows of attribute series are series (counters), which have no running time.
    m_rowsRun = false;
}

} // namespace velmora_1_0
