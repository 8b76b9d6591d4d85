#pragma once
// Paints kept transition lines into the layer's two hit-test images: the same line in the low
// image in the colour of the low half of the transition's code and in the high image in the
// colour of the high half. Lines are plotted straight into the images (LinePlotter), so every
// covered pixel carries its colour exactly and no bitmap or device context is involved.
//
// How it is called: performDecimation creates one for the images of the running decimation and
// calls paint for each new key; both images are valid, have the same size and outlive it.
#include "layers/LinePlotter.h"
#include <VelmoraExport.h>

#include <cstddef>
#include <vector>

class wxColour;
class wxImage;

namespace velmora_1_0 {

struct TransitionSegment;

class VELMORA_API TransitionHitPainter {
public:
    static constexpr int kLineWidth = 2;

    TransitionHitPainter(wxImage& low, wxImage& high);
    TransitionHitPainter(const TransitionHitPainter&) = delete;
    TransitionHitPainter& operator=(const TransitionHitPainter&) = delete;

    void paint(const TransitionSegment& line, const wxColour& lowColour, const wxColour& highColour);

private:
    int m_width;
    unsigned char* m_low; // RGB pixels of the images
    unsigned char* m_high;
    LinePlotter m_plotter;
    std::vector<LinePlotter::Span> m_spans; // reused from line to line
};

} // namespace velmora_1_0
