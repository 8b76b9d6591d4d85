#pragma once
// A transition layer on a windowless graph of 5 rows, 100 pixels wide, 20 pixels per row, over a
// ruler showing [0, 999] ns (10 ns per pixel column). ProbeLayer opens the layer's protected
// state to the tests; drawing goes into a white 24-bit memory bitmap whose pixels are read back.
#include "TransitionGraph.h"
#include "TransitionProvider.h"

#include "layers/TransitionLayer.h"

#include <tarquel_1_0/Ruler.h>

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace transition_test {

class ProbeLayer : public velmora_1_0::TransitionLayer {
public:
    using TransitionLayer::generateTransitionKey;
    using TransitionLayer::hittestColorsToTransitionID;
    using TransitionLayer::m_blue;
    using TransitionLayer::m_canHittest;
    using TransitionLayer::m_dataLoaded;
    using TransitionLayer::m_decimationIndex;
    using TransitionLayer::m_green;
    using TransitionLayer::m_hitId;
    using TransitionLayer::m_hittestPainted;
    using TransitionLayer::m_red;
    using TransitionLayer::m_segments;
    using TransitionLayer::m_selectedId;
    using TransitionLayer::m_transitionKeys;
    using TransitionLayer::m_transitions;
    using TransitionLayer::m_visibleTransitions;
    using TransitionLayer::transitionIdToHittestColors;
};

class TransitionFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 100;
    static constexpr int kRows = 5;
    static constexpr int kRowHeight = 20;

    TransitionFixture();
    ~TransitionFixture() override;

    void attach(ProbeLayer& layer);
    // Requests, answers the first row's request with `transitions` and the others empty, applies.
    void load(ProbeLayer& layer, std::vector<velmora_1_0::SarvikProvider::Transition> transitions);
    // Timer ticks until the layer stops its timer; the number of ticks.
    int tickUntilDone(ProbeLayer& layer);
    // White canvas, then renderAll (and renderHittest with hover).
    void paint(ProbeLayer& layer, bool hover = false);
    wxColour pixel(int x, int y);
    int x(std::uint64_t time) const { return m_ruler.xFromTime(wxULongLong(time), true); }

    tarquel_1_0::Ruler m_ruler;
    TransitionProviderPtr m_provider;
    TransitionGraph m_graph;
    wxBitmap m_canvas;
    wxMemoryDC m_dc;
};

extern const wxColour kWhite;

} // namespace transition_test
