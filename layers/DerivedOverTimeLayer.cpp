#include "layers/DerivedOverTimeLayer.h"

namespace velmora_1_0 {

DerivedOverTimeLayer::DerivedOverTimeLayer()
    : OverTimeLayer("Derived Over-time Data", {&SarvikProvider::requestDerivedOverTimeData,
                              &SarvikProvider::consumeDerivedOverTimeDataArray,
                              &SarvikProvider::clearDerivedOverTimeRequests})
{
}

} // namespace velmora_1_0
