#include "layers/LinePlotter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora_1_0 {

namespace {

// Narrows [low, high] to the u with factor * u in [from, to]; false when no u qualifies. Takes
// the factor's inverse too: a product is several times cheaper than a quotient in the per-row
// loop, and the ulp it may be off only matters at a pixel centre, which rowSpan settles exactly.
bool narrow(double factor, double inverse, double from, double to, double& low, double& high)
{
    if (factor == 0)
        return from <= 0 && to >= 0;
    double a = from * inverse;
    double b = to * inverse;
    if (a > b)
        std::swap(a, b);
    low = std::max(low, a);
    high = std::min(high, b);
    return low <= high;
}

// The stroke of one line in coordinates doubled around its start (u across columns, v across
// rows), so pixel centres are odd integers and the exact test needs no fractions.
class Stroke {
public:
    Stroke(int x1, int y1, int x2, int y2, int lineWidth)
        : m_x1(x1), m_y1(y1), m_dx(static_cast<double>(x2) - x1), m_dy(static_cast<double>(y2) - y1),
          m_inverseDx(m_dx == 0 ? 0 : 1 / m_dx), m_inverseDy(m_dy == 0 ? 0 : 1 / m_dy)
    {
        const double lengthSquared = m_dx * m_dx + m_dy * m_dy;
        m_dotLimit = 2 * lengthSquared;
        m_crossLimit = lineWidth * std::sqrt(lengthSquared);
    }

    bool empty() const { return m_dotLimit == 0; }

    bool covers(int x, int y) const
    {
        const double u = 2.0 * x + 1 - 2.0 * m_x1;
        const double v = 2.0 * y + 1 - 2.0 * m_y1;
        const double dot = u * m_dx + v * m_dy;
        if (dot < 0 || dot > m_dotLimit)
            return false;
        // One side includes its outline, the other not, so a line of odd width whose sides fall
        // on pixel centres is still that many pixels wide.
        const double cross = u * m_dy - v * m_dx;
        return cross >= -m_crossLimit && cross < m_crossLimit;
    }

    // The columns of row y that the stroke covers, clipped to [0, width); false when none.
    bool rowSpan(int y, int width, int& first, int& last) const
    {
        // Solve both pairs of limits for u...
        const double v = 2.0 * y + 1 - 2.0 * m_y1;
        double low = -HUGE_VAL;
        double high = HUGE_VAL;
        if (!narrow(m_dx, m_inverseDx, -v * m_dy, m_dotLimit - v * m_dy, low, high) ||
            !narrow(m_dy, m_inverseDy, v * m_dx - m_crossLimit, v * m_dx + m_crossLimit, low, high))
            return false;
        const double left = std::ceil((low - 1) / 2 + m_x1);
        const double right = std::floor((high - 1) / 2 + m_x1);
        if (right < -1 || left > width)
            return false;
        first = static_cast<int>(std::clamp(left, 0.0, width - 1.0));
        last = static_cast<int>(std::clamp(right, 0.0, width - 1.0));
        // ...and where a limit passes within rounding of a pixel centre, let the exact test
        // settle that end, from a pixel further out.
        if (nearCentre(low)) {
            first = std::max(0, first - 1);
            while (first <= last && !covers(first, y))
                ++first;
        }
        if (nearCentre(high)) {
            last = std::min(width - 1, last + 1);
            while (last >= first && !covers(last, y))
                --last;
        }
        return first <= last && covers(first, y);
    }

private:
    // Whether u lies within rounding of an odd integer, the u of a pixel centre.
    static bool nearCentre(double u)
    {
        const double centre = 2 * std::floor(u / 2) + 1;
        return std::abs(u - centre) <= 1e-9 * (1 + std::abs(u));
    }

    int m_x1;
    int m_y1;
    double m_dx;
    double m_dy;
    double m_inverseDx;
    double m_inverseDy;
    double m_dotLimit;   // twice the squared length: the far end
    double m_crossLimit; // line width times the length: the sides
};

} // namespace

LinePlotter::LinePlotter(int width, int height, int lineWidth)
    : m_width(width), m_height(height), m_lineWidth(std::max(1, lineWidth))
{
}

void LinePlotter::plot(int x1, int y1, int x2, int y2, std::vector<Span>& spans) const
{
    spans.clear();
    // One direction for both orders of the ends, so a line covers the same pixels either way.
    if (y1 > y2 || (y1 == y2 && x1 > x2)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const long long reach = m_lineWidth;
    if (std::min<long long>(x1, x2) - reach >= m_width || std::max<long long>(x1, x2) + reach < 0 ||
        y1 - reach >= m_height || y2 + reach < 0)
        return;
    const Stroke stroke(x1, y1, x2, y2, m_lineWidth);
    if (stroke.empty())
        return;
    const int top = static_cast<int>(std::max<long long>(0, y1 - reach));
    const int bottom = static_cast<int>(std::min<long long>(m_height - 1, y2 + reach));
    for (int y = top; y <= bottom; ++y) {
        int first = 0;
        int last = 0;
        if (stroke.rowSpan(y, m_width, first, last))
            spans.push_back(Span{y, first, last});
    }
}

} // namespace velmora_1_0
