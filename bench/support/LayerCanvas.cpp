#include "support/LayerCanvas.h"

namespace bench_support {

LayerCanvas::LayerCanvas(std::uint64_t duration, int width, int height)
    : m_bitmap(width, height, 24), m_dc(m_bitmap)
{
    m_ruler.setDuration(duration);
    m_ruler.setPixelWidth(width);
}

} // namespace bench_support
