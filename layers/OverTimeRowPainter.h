#pragma once
// Paints OverTimeRowShapes onto a memory DC in one colour, the spans of a row in one call
// (Renderer::fillSpans), written straight into the image where the DC allows. Every painted pixel
// has exactly the colour; the DC's pen and brush stay as they were. Made by OverTimeLayer for the
// rows it draws in one pass, on the UI thread.
#include <VelmoraExport.h>

#include <cstdint>

#include <wx/colour.h>

class wxMemoryDC;

namespace tarquel_1_0 {
class Renderer;
}

namespace velmora_1_0 {

class OverTimeRowShape;

class VELMORA_API OverTimeRowPainter {
public:
    OverTimeRowPainter(tarquel_1_0::Renderer& renderer, wxMemoryDC& dc, const wxColour& colour);
    OverTimeRowPainter(const OverTimeRowPainter&) = delete;
    OverTimeRowPainter& operator=(const OverTimeRowPainter&) = delete;

    void paint(const OverTimeRowShape& shape);

private:
    tarquel_1_0::Renderer& m_renderer;
    wxMemoryDC& m_dc;
    std::uint32_t m_colour;
};

} // namespace velmora_1_0
