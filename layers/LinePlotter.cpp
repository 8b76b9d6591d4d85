#include "layers/LinePlotter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora_1_0 {

namespace {

// Narrows [low, high] to the u with factor * u in [from, to]; false when no u qualifies.
bool narrow(double factor, double from, double to, double& low, double& high)
{
    if (factor == 0)
        return from <= 0 && to >= 0;
    double a = from / factor;
    double b = to / factor;
    if (a > b)
        std::swap(a, b);
    low = std::max(low, a);
    high = std::min(high, b);
    return low <= high;
}

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
        std::min<long long>(y1, y2) - reach >= m_height || std::max<long long>(y1, y2) + reach < 0)
        return;
    Stroke stroke{x1, y1, static_cast<double>(x2) - x1, static_cast<double>(y2) - y1, 0, 0};
    const double lengthSquared = stroke.dx * stroke.dx + stroke.dy * stroke.dy;
    if (lengthSquared == 0)
        return;
    stroke.dotLimit = 2 * lengthSquared;
    stroke.crossLimit = m_lineWidth * std::sqrt(lengthSquared);
    const int top = static_cast<int>(std::max<long long>(0, std::min<long long>(y1, y2) - reach));
    const int bottom = static_cast<int>(std::min<long long>(m_height - 1, std::max<long long>(y1, y2) + reach));
    for (int y = top; y <= bottom; ++y) {
        int first = 0;
        int last = 0;
        if (rowSpan(stroke, y, first, last))
            spans.push_back(Span{y, first, last});
    }
}

bool LinePlotter::covers(const Stroke& stroke, int x, int y) const
{
    const double u = 2.0 * x + 1 - 2.0 * stroke.x1;
    const double v = 2.0 * y + 1 - 2.0 * stroke.y1;
    const double dot = u * stroke.dx + v * stroke.dy;
    if (dot < 0 || dot > stroke.dotLimit)
        return false;
    // One side includes its outline, the other not, so a line of odd width whose sides fall on
    // pixel centres is still that many pixels wide.
    const double cross = u * stroke.dy - v * stroke.dx;
    return cross >= -stroke.crossLimit && cross < stroke.crossLimit;
}

bool LinePlotter::rowSpan(const Stroke& stroke, int y, int& first, int& last) const
{
    // Solve both pairs of limits for u, the doubled offset of a pixel centre from the start...
    const double v = 2.0 * y + 1 - 2.0 * stroke.y1;
    double low = -HUGE_VAL;
    double high = HUGE_VAL;
    if (!narrow(stroke.dx, -v * stroke.dy, stroke.dotLimit - v * stroke.dy, low, high) ||
        !narrow(stroke.dy, v * stroke.dx - stroke.crossLimit, v * stroke.dx + stroke.crossLimit, low, high))
        return false;
    // ...then widen the estimate by a pixel for rounding and settle both ends with the exact test.
    const double left = std::ceil((low - 1) / 2 + stroke.x1) - 1;
    const double right = std::floor((high - 1) / 2 + stroke.x1) + 1;
    if (right < 0 || left >= m_width)
        return false;
    first = static_cast<int>(std::max(0.0, left));
    last = static_cast<int>(std::min(m_width - 1.0, right));
    while (first <= last && !covers(stroke, first, y))
        ++first;
    while (last >= first && !covers(stroke, last, y))
        --last;
    return first <= last;
}

} // namespace velmora_1_0
