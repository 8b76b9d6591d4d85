#pragma once
// A marker layer on a windowless graph of 5 rows, 100 pixels wide, 20 pixels per row, over a
// ruler showing [0, 999] ns: 10 ns per pixel column, so x = t / 10. Painting goes into a white
// 24-bit memory bitmap whose pixels the tests read.
#include "MarkerGraph.h"
#include "MarkerProvider.h"

#include "layers/EventMarkerLayer.h"

#include <tarquel_1_0/Ruler.h>

#include <gtest/gtest.h>

#include <map>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace marker_test {

class MarkerFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 100;
    static constexpr int kRows = 5;

    MarkerFixture();
    ~MarkerFixture() override;

    // Requests, files the given markers of each row as the answers, and applies them.
    void load(velmora_1_0::EventMarkerLayer& layer, const std::map<short, std::vector<velmora_1_0::SarvikProvider::EventMarker>>& rows);
    // White canvas, then renderAll (and renderHittest with hover).
    void paint(velmora_1_0::EventMarkerLayer& layer, bool hover = false);
    wxColour pixel(int x, int y);
    // Pixels of `colour` inside `area` of the canvas.
    int count(const wxRect& area, const wxColour& colour);
    // Paints on a fresh white canvas of `size` from now on.
    void resizeCanvas(const wxSize& size);

    wxImage snapshot();

    tarquel_1_0::Ruler m_ruler;
    MarkerProviderPtr m_provider;
    MarkerGraph m_graph;
    wxBitmap m_canvas;
    wxMemoryDC m_dc;
};

extern const wxColour kWhite;
extern const wxColour kBlack;
extern const wxColour kInner; // default fill
extern const wxColour kHighlight;

} // namespace marker_test
