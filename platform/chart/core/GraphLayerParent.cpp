#include <tarquel_1_0/GraphLayerParent.h>

namespace tarquel_1_0 {

GraphLayerParent::~GraphLayerParent() = default;

void GraphLayerParent::setRowExtraHeight(GraphLayer*, int, int) {}

wxRect GraphLayerParent::getRowExtraRect(int displayRow)
{
    const wxRect strip = getRowRect(displayRow, false);
    return wxRect(strip.x, strip.y + strip.height, strip.width, 0);
}

} // namespace tarquel_1_0
