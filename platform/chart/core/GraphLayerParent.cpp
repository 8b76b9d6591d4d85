#include <tarquel_1_0/GraphLayerParent.h>

namespace tarquel_1_0 {

GraphLayerParent::~GraphLayerParent() = default;

} // namespace tarquel_1_0
