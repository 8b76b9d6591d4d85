#pragma once

#include <tarquel_1_0/Ruler.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <cstdint>

namespace bench_support {

// What a graph layer renders into off screen: a ruler spanning `duration` ticks over `width`
// pixels, and a 24-bit bitmap of width x height selected into a memory DC. The ruler is built
// first, so graphs that keep a pointer to it can be members declared after the canvas.
class LayerCanvas {
public:
    LayerCanvas(std::uint64_t duration, int width, int height);
    LayerCanvas(const LayerCanvas&) = delete;
    LayerCanvas& operator=(const LayerCanvas&) = delete;

    tarquel_1_0::Ruler& ruler() { return m_ruler; }
    wxMemoryDC& dc() { return m_dc; }
    wxSize size() const { return m_bitmap.GetSize(); }

private:
    tarquel_1_0::Ruler m_ruler;
    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
};

} // namespace bench_support
