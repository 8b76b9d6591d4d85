#pragma once
// The event and duration markers of one row, composed into the few bands of lines that look alike
// and painted through Renderer::fillLines. The pixels are those the renderer's marker calls paint
// shape by shape, every border before any fill; the cost is the row's width, not its number of
// markers, which is what a row of thousands of markers needs to repaint within a frame.
//
// A marker layer builds one per row in view when the view changes, keeps it while the view stays,
// and paints them all with paintAll (UI thread). Copyable value.
#include <chart_export.h>
#include <tarquel_1_0/Renderer.h>

#include <wx/colour.h>
#include <wx/gdicmn.h>

#include <algorithm>
#include <cstdint>
#include <vector>

class wxDC;

namespace tarquel_1_0 {

class TARQUEL_API MarkerStrip {
public:
    // Columns [left, right] are composed; shapes reaching past them are cut there. `pinTop` and
    // `barTop`: the top lines of pins and bars, as the renderer's rectangles for the row give them.
    MarkerStrip(int left, int right, int pinTop, int barTop);

    // The rectangles the renderer's calls return for these shapes on this strip. Inline: a layer
    // asks for one per marker it places.
    wxRect eventMarkerRect(int x) const
    {
        return wxRect(x - Renderer::EVENT_MARKER_WIDTH / 2, m_pinTop, Renderer::EVENT_MARKER_WIDTH,
                      Renderer::EVENT_MARKER_HEIGHT);
    }
    wxRect durationMarkerRect(int x1, int x2) const
    {
        const int right = std::max(x2, x1 + Renderer::DURATION_MARKER_MIN_WIDTH - 1);
        return wxRect(x1, m_barTop, right - x1 + 1, Renderer::DURATION_MARKER_HEIGHT);
    }
    void addEventMarker(int x)
    {
        m_pins.push_back(x);
        m_composed = false;
    }
    void addDurationMarker(int x1, int x2)
    {
        m_bars.emplace_back(x1, std::max(x2, x1 + Renderer::DURATION_MARKER_MIN_WIDTH - 1));
        m_composed = false;
    }

    // Paints every border of every strip, then every fill, of markers bordered in `border` and
    // filled with `fill`. Where the fill is opaque and no two strips share a line, each strip goes
    // out in one pass with both colours: the same pixels at half the cost.
    static void paintAll(std::vector<MarkerStrip>& strips, Renderer& renderer, wxDC& dc, const wxColour& border,
                         const wxColour& fill);

private:
    enum Code : unsigned char { kNone = 0, kBorder = 1, kFill = 2 };
    enum class Pass { Borders, Fills, Both };
    // Lines [top, bottom] that share one line of codes, one per column of the strip.
    struct Band {
        int top = 0;
        int bottom = 0;
        std::vector<unsigned char> codes;
    };
    // What covers one line: pin half-widths (-1: none) and whether bars show their border or fill.
    struct LineShape {
        int pinBorder = -1;
        int pinFill = -1;
        bool barBorder = false;
        bool barFill = false;
        bool operator==(const LineShape& other) const;
    };

    LineShape lineShape(int y) const;
    // The lines any shape of the strip may cover.
    int topLine() const;
    int bottomLine() const;
    void compose();
    void composeBand(Band& band, const LineShape& shape, const std::vector<unsigned char>& pinDistance,
                     const std::vector<unsigned char>& barBorders, const std::vector<unsigned char>& barFills) const;
    void paint(Renderer& renderer, wxDC& dc, const wxColour& border, const wxColour& fill, Pass pass);

    int m_left;
    int m_right;
    int m_pinTop;
    int m_barTop;
    std::vector<int> m_pins;
    std::vector<std::pair<int, int>> m_bars; // x1 and the right edge of the border
    std::vector<Band> m_bands;               // composed on the first paint after a shape came
    bool m_composed = false;
    std::vector<std::uint32_t> m_line; // scratch for the colours of one band
};

} // namespace tarquel_1_0
