#include <tarquel_1_0/MarkerStrip.h>

#include "MarkerShape.h"

#include <numeric>

namespace tarquel_1_0 {

namespace {

// How far a pin reaches either side of its x.
constexpr int kPinReach = Renderer::EVENT_MARKER_WIDTH / 2;
// A distance to the nearest pin beyond every pin's reach.
constexpr unsigned char kNoPinNear = kPinReach + 1;

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

int MarkerStrip::topLine() const
{
    return std::min(m_pinTop, m_barTop);
}

int MarkerStrip::bottomLine() const
{
    return std::max(m_pinTop + Renderer::EVENT_MARKER_HEIGHT, m_barTop + Renderer::DURATION_MARKER_HEIGHT) - 1;
}

void MarkerStrip::compose()
{
    m_bands.clear();
    m_composed = true;
    const int width = m_right - m_left + 1;
    if (width <= 0 || (m_pins.empty() && m_bars.empty()))
        return;
    // The distance from each column to its nearest pin, from kPinReach before the strip to
    // kPinReach past it (pins beyond the strip reach into it), capped at kNoPinNear: a line whose
    // pins are h pixels wide either side covers the columns at distance h or less.
    std::vector<unsigned char> pinDistance(static_cast<size_t>(width + 2 * kPinReach), kNoPinNear);
    for (const int x : m_pins) {
        const int at = x - (m_left - kPinReach);
        if (at >= 0 && at < width + 2 * kPinReach)
            pinDistance[static_cast<size_t>(at)] = 0;
    }
    // The distance so far is carried in a register: read back from the array, each column would
    // wait for the store of the one before.
    int sinceLeft = kNoPinNear;
    for (unsigned char& distance : pinDistance) {
        sinceLeft = std::min<int>(distance, sinceLeft + 1);
        distance = static_cast<unsigned char>(sinceLeft);
    }
    int sinceRight = kNoPinNear;
    for (auto distance = pinDistance.rbegin(); distance != pinDistance.rend(); ++distance) {
        sinceRight = std::min<int>(*distance, sinceRight + 1);
        *distance = static_cast<unsigned char>(sinceRight);
    }
    // Bars as the number of borders and fills that begin and end at each column, then whether
    // any covers it.
    std::vector<int> borderCount(static_cast<size_t>(width + 1), 0);
    std::vector<int> fillCount(static_cast<size_t>(width + 1), 0);
    const auto addSpan = [this](std::vector<int>& counts, int x1, int x2) {
        x1 = std::max(x1, m_left);
        x2 = std::min(x2, m_right);
        if (x1 > x2)
            return;
        ++counts[static_cast<size_t>(x1 - m_left)];
        --counts[static_cast<size_t>(x2 - m_left + 1)];
    };
    for (const auto& bar : m_bars) {
        addSpan(borderCount, bar.first, bar.second);
        addSpan(fillCount, bar.first + 1, bar.second - 1);
    }
    std::vector<unsigned char> barBorders(static_cast<size_t>(width));
    std::vector<unsigned char> barFills(static_cast<size_t>(width));
    int borders = 0;
    int fills = 0;
    for (size_t c = 0; c < barBorders.size(); ++c) {
        borders += borderCount[c];
        fills += fillCount[c];
        barBorders[c] = borders > 0;
        barFills[c] = fills > 0;
    }

    const int bottom = bottomLine();
    for (int y = topLine(); y <= bottom;) {
        const LineShape shape = lineShape(y);
        int last = y;
        while (last < bottom && lineShape(last + 1) == shape)
            ++last;
        if (shape.pinBorder >= 0 || shape.barBorder) {
            Band band;
            band.top = y;
            band.bottom = last;
            composeBand(band, shape, pinDistance, barBorders, barFills);
            m_bands.push_back(std::move(band));
        }
        y = last + 1;
    }
}

void MarkerStrip::composeBand(Band& band, const LineShape& shape, const std::vector<unsigned char>& pinDistance,
                              const std::vector<unsigned char>& barBorders,
                              const std::vector<unsigned char>& barFills) const
{
    const size_t width = barBorders.size();
    band.codes.resize(width);
    // Branch-free over bytes, so that the compiler may do many columns at once: a pin covers the
    // columns nearer than its reach, a bar flag counts where the line shows that part of bars.
    const unsigned char fillReach = static_cast<unsigned char>(shape.pinFill + 1);
    const unsigned char borderReach = static_cast<unsigned char>(shape.pinBorder + 1);
    const unsigned char fillBars = shape.barFill ? 1 : 0;
    const unsigned char borderBars = shape.barBorder ? 1 : 0;
    const unsigned char* distance = pinDistance.data() + kPinReach;
    for (size_t c = 0; c < width; ++c) {
        const unsigned char fill = (distance[c] < fillReach) | (barFills[c] & fillBars);
        const unsigned char border = (distance[c] < borderReach) | (barBorders[c] & borderBars);
        band.codes[c] = fill ? static_cast<unsigned char>(kFill) : border;
    }
}

void MarkerStrip::paintAll(std::vector<MarkerStrip>& strips, Renderer& renderer, wxDC& dc, const wxColour& border,
                           const wxColour& fill)
{
    // Strips of rows lower than a marker share lines: there the fills of one row go over the
    // borders of the next, as one by one.
    std::vector<std::pair<int, int>> lines;
    lines.reserve(strips.size());
    for (const MarkerStrip& strip : strips)
        lines.emplace_back(strip.topLine(), strip.bottomLine());
    std::sort(lines.begin(), lines.end());
    bool apart = fill.Alpha() == wxALPHA_OPAQUE;
    for (size_t i = 1; apart && i < lines.size(); ++i)
        apart = lines[i - 1].second < lines[i].first;
    if (apart) {
        for (MarkerStrip& strip : strips)
            strip.paint(renderer, dc, border, fill, Pass::Both);
        return;
    }
    for (MarkerStrip& strip : strips)
        strip.paint(renderer, dc, border, fill, Pass::Borders);
    for (MarkerStrip& strip : strips)
        strip.paint(renderer, dc, border, fill, Pass::Fills);
}

void MarkerStrip::paint(Renderer& renderer, wxDC& dc, const wxColour& border, const wxColour& fill, Pass pass)
{
    if (!m_composed)
        compose();
    // The colour of each code; a fill that lets the border show through needs the border beneath.
    const std::uint32_t borderPixel = Renderer::lineColour(border);
    const std::uint32_t fillPixel = Renderer::lineColour(fill);
    const bool underFill = fill.Alpha() != wxALPHA_OPAQUE;
    std::uint32_t pixels[3] = {0, 0, 0};
    if (pass != Pass::Fills) {
        pixels[kBorder] = borderPixel;
        pixels[kFill] = underFill ? borderPixel : 0;
    }
    if (pass != Pass::Borders)
        pixels[kFill] = fillPixel;
    for (const Band& band : m_bands) {
        const auto painted = [&pixels](unsigned char code) { return pixels[code] != 0; };
        const auto first = std::find_if(band.codes.begin(), band.codes.end(), painted);
        if (first == band.codes.end())
            continue;
        const auto last = std::find_if(band.codes.rbegin(), band.codes.rend(), painted).base();
        m_line.resize(static_cast<size_t>(last - first));
        std::transform(first, last, m_line.begin(), [&pixels](unsigned char code) { return pixels[code]; });
        renderer.fillLines(dc, m_left + static_cast<int>(first - band.codes.begin()), band.top, band.bottom,
                           m_line.data(), static_cast<int>(m_line.size()));
    }
}

} // namespace tarquel_1_0
