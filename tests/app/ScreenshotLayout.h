#pragma once
// A screenshot of the viewer with the layout it printed (--print-layout): where each row lies,
// which column shows which time, and which pixels there have a given colour. Lets end-to-end
// tests check that something is drawn at the place the result's content puts it.
#include <wx/image.h>

#include <cstdint>
#include <string>
#include <vector>

namespace viewer_test {

// Lane geometry the viewer promises: lanes of this height under the strip, at first at most
// this many per row (every lane shows when the user asks for them).
constexpr int LANE = 14;
constexpr int SHOWN_LANES = 3;

struct LayoutRow {
    int area = 0;
    int dataRow = 0;
    int top = 0;
    int height = 0;
    std::string name;
    int lanesTop = 0;    // the lanes below the strip; height 0 when the row has none
    int lanesHeight = 0;
};

struct LayoutBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class ScreenshotLayout {
public:
    // False when the text holds no axis line.
    bool parse(const std::string& text);

    // The column of a time in nanoseconds from the result's start.
    int xOf(std::uint64_t nanoseconds) const;
    const std::vector<LayoutRow>& rows() const { return m_rows; }
    const LayoutRow* row(int area, int dataRow) const;
    const LayoutBox& ruler() const { return m_ruler; }
    // An area's graph window; null when the layout names no such area.
    const LayoutBox* area(int index) const;
    // Whether the row's strip and lanes lie wholly inside its area's window (rows scrolled out of
    // it, or cut by its bottom, are not in the picture).
    bool isShown(const LayoutRow& row) const;
    int axisLeft() const { return m_left; }
    int axisWidth() const { return m_width; }

private:
    int m_left = 0;
    int m_width = 0;
    std::uint64_t m_start = 0;
    std::uint64_t m_end = 0;
    LayoutBox m_ruler;
    std::vector<LayoutBox> m_areas;
    std::vector<LayoutRow> m_rows;
};

// Pixels of one colour (within a small tolerance for blended edges) in a screenshot.
class ColourFinder {
public:
    ColourFinder(const wxImage& image, unsigned rgb)
        : m_image(image)
        , m_rgb(rgb)
    {
    }

    bool at(int x, int y) const;
    // Whether any pixel of columns [x0, x1] and lines [y0, y1) has the colour.
    bool inBox(int x0, int x1, int y0, int y1) const;
    // Per column of [x0, x1]: whether lines [y0, y1) show the colour there.
    std::vector<bool> columns(int x0, int x1, int y0, int y1) const;

private:
    const wxImage& m_image;
    unsigned m_rgb;
};

} // namespace viewer_test
