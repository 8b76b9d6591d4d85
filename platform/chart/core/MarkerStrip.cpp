#include <tarquel_1_0/MarkerStrip.h>

#include <tarquel_1_0/Renderer.h>

#include "MarkerShape.h"

#include <algorithm>
#include <numeric>

namespace tarquel_1_0 {

namespace {

// How far a pin reaches either side of its x.
constexpr int kPinReach = Renderer::EVENT_MARKER_WIDTH / 2;

} // namespace

bool MarkerStrip::LineShape::operator==(const LineShape& other) const
{
    return pinBorder == other.pinBorder && pinFill == other.pinFill && barBorder == other.barBorder &&
           barFill == other.barFill;
}

MarkerStrip::MarkerStrip(int left, int right, int pinTop, int barTop)
    : m_left(left), m_right(std::max(right, left - 1)), m_pinTop(pinTop), m_barTop(barTop)
{
}

wxRect MarkerStrip::eventMarkerRect(int x) const
{
    return wxRect(x - kPinReach, m_pinTop, Renderer::EVENT_MARKER_WIDTH, Renderer::EVENT_MARKER_HEIGHT);
}

wxRect MarkerStrip::durationMarkerRect(int x1, int x2) const
{
    const int right = std::max(x2, x1 + Renderer::DURATION_MARKER_MIN_WIDTH - 1);
    return wxRect(x1, m_barTop, right - x1 + 1, Renderer::DURATION_MARKER_HEIGHT);
}

void MarkerStrip::addEventMarker(int x)
{
    m_pins.push_back(x);
    m_composed = false;
}

void MarkerStrip::addDurationMarker(int x1, int x2)
{
    m_bars.emplace_back(x1, durationMarkerRect(x1, x2).GetRight());
    m_composed = false;
}

MarkerStrip::LineShape MarkerStrip::lineShape(int y) const
{
    LineShape shape;
    const int pinLine = y - m_pinTop;
    if (!m_pins.empty() && pinLine >= 0 && pinLine < MarkerShape::kPinLines) {
        shape.pinBorder = MarkerShape::kPinHalfWidths[pinLine];
        // The fill is the pin shrunk by a pixel on every side.
        shape.pinFill = pinLine >= 1 ? MarkerShape::kPinHalfWidths[pinLine] - 1 : -1;
    }
    const int barLine = y - m_barTop;
    if (!m_bars.empty()) {
        shape.barBorder = barLine >= 0 && barLine < Renderer::DURATION_MARKER_HEIGHT;
        shape.barFill = barLine >= 1 && barLine < Renderer::DURATION_MARKER_HEIGHT - 1;
    }
    return shape;
}

void MarkerStrip::compose()
{
    m_bands.clear();
    m_composed = true;
    const int width = m_right - m_left + 1;
    if (width <= 0 || (m_pins.empty() && m_bars.empty()))
        return;
    // Pins counted up to each column, from kPinReach before the strip to kPinReach past it: a
    // column has a pin within h of it when the count over [c - h, c + h] is not 0.
    std::vector<int> pinsBefore(static_cast<size_t>(width + 2 * kPinReach + 1), 0);
    for (const int x : m_pins) {
        const int at = x - (m_left - kPinReach);
        if (at >= 0 && at < width + 2 * kPinReach)
            ++pinsBefore[static_cast<size_t>(at + 1)];
    }
    std::partial_sum(pinsBefore.begin(), pinsBefore.end(), pinsBefore.begin());
    // Bars as the number of borders and fills over each column.
    std::vector<int> barBorders(static_cast<size_t>(width + 1), 0);
    std::vector<int> barFills(static_cast<size_t>(width + 1), 0);
    const auto addSpan = [this](std::vector<int>& counts, int x1, int x2) {
        x1 = std::max(x1, m_left);
        x2 = std::min(x2, m_right);
        if (x1 > x2)
            return;
        ++counts[static_cast<size_t>(x1 - m_left)];
        --counts[static_cast<size_t>(x2 - m_left + 1)];
    };
    for (const auto& bar : m_bars) {
        addSpan(barBorders, bar.first, bar.second);
        addSpan(barFills, bar.first + 1, bar.second - 1);
    }
    std::partial_sum(barBorders.begin(), barBorders.end(), barBorders.begin());
    std::partial_sum(barFills.begin(), barFills.end(), barFills.begin());

    const int top = std::min(m_pinTop, m_barTop);
    const int bottom =
        std::max(m_pinTop + Renderer::EVENT_MARKER_HEIGHT, m_barTop + Renderer::DURATION_MARKER_HEIGHT) - 1;
    for (int y = top; y <= bottom;) {
        const LineShape shape = lineShape(y);
        int last = y;
        while (last < bottom && lineShape(last + 1) == shape)
            ++last;
        if (shape.pinBorder >= 0 || shape.barBorder) {
            Band band;
            band.top = y;
            band.bottom = last;
            composeBand(band, shape, pinsBefore, barBorders, barFills);
            m_bands.push_back(std::move(band));
        }
        y = last + 1;
    }
}

void MarkerStrip::composeBand(Band& band, const LineShape& shape, const std::vector<int>& pinsBefore,
                              const std::vector<int>& barBorders, const std::vector<int>& barFills) const
{
    const int width = m_right - m_left + 1;
    band.codes.assign(static_cast<size_t>(width), kNone);
    for (int c = 0; c < width; ++c) {
        const auto pinWithin = [&](int half) {
            return half >= 0 && pinsBefore[static_cast<size_t>(c + kPinReach + half + 1)] -
                                        pinsBefore[static_cast<size_t>(c + kPinReach - half)] >
                                    0;
        };
        const bool fill = pinWithin(shape.pinFill) || (shape.barFill && barFills[static_cast<size_t>(c)] > 0);
        const bool border = pinWithin(shape.pinBorder) || (shape.barBorder && barBorders[static_cast<size_t>(c)] > 0);
        band.codes[static_cast<size_t>(c)] = fill ? kFill : border ? kBorder : kNone;
    }
}

void MarkerStrip::paint(Renderer& renderer, wxDC& dc, const wxColour& border, const wxColour& fill, bool innerPass)
{
    if (!m_composed)
        compose();
    const std::uint32_t pixel = Renderer::lineColour(innerPass ? fill : border);
    // A fill that lets the border show through needs the border beneath it.
    const bool underFill = !innerPass && (fill.Alpha() != wxALPHA_OPAQUE);
    const auto painted = [&](unsigned char code) {
        return innerPass ? code == kFill : code == kBorder || (underFill && code == kFill);
    };
    for (const Band& band : m_bands) {
        const auto first = std::find_if(band.codes.begin(), band.codes.end(), painted);
        if (first == band.codes.end())
            continue;
        const auto last = std::find_if(band.codes.rbegin(), band.codes.rend(), painted).base();
        m_line.resize(static_cast<size_t>(last - first));
        std::transform(first, last, m_line.begin(), [&](unsigned char code) { return painted(code) ? pixel : 0u; });
        renderer.fillLines(dc, m_left + static_cast<int>(first - band.codes.begin()), band.top, band.bottom,
                           m_line.data(), static_cast<int>(m_line.size()));
    }
}

} // namespace tarquel_1_0
