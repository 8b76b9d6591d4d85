#include "layers/AttrOverTimeLayer.h"

namespace velmora_1_0 {

AttrOverTimeLayer::AttrOverTimeLayer()
    : OverTimeLayer("Attribute-over-time Data", {&SarvikProvider::requestAttrOverTimeData,
                              &SarvikProvider::consumeAttrOverTimeDataArray,
                              &SarvikProvider::clearAttrOverTimeRequests})
{
}

} // namespace velmora_1_0
