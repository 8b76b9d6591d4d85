// The cursor against the ruler's own conversion, over times that rise densely and sparsely, jump
// back, sit on column edges, lie just inside and outside the table of edges, and far outside the
// view, where the columns are clamped.
#include <tarquel_1_0/ColumnCursor.h>
#include <tarquel_1_0/Ruler.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

using namespace tarquel_1_0;

namespace {

TEST(ColumnCursor, GivesTheRulersColumnsInAnyOrder)
{
    std::mt19937_64 random(5);
    Ruler ruler;
    ruler.setDuration(400000000000000ull);
    for (int view = 0; view < 100; ++view) {
        const int width = 1 + static_cast<int>(random() % 3000);
        ruler.setPixelWidth(width);
        // The first view starts at 0: the edges before it are all 0.
        const std::uint64_t start = view == 0 ? 0 : random() % 300000000000000ull;
        ruler.setVisibleRange(start, start + (std::uint64_t(1) << (random() % 46)), false);
        const std::uint64_t shownStart = ruler.getStart().GetValue();
        const std::uint64_t shown = ruler.getEnd().GetValue() - shownStart + 1;

        std::vector<std::uint64_t> times;
        // A rising run a few per column, one a column apart, column edges, and times far off.
        std::uint64_t t = shownStart >= shown ? shownStart - shown : 0;
        for (int i = 0; i < 400; ++i) {
            t += random() % (shown / static_cast<std::uint64_t>(width) * (i % 3 + 1) + 2);
            times.push_back(t);
        }
        for (int x = -3; x <= width + 3; x += 1 + width / 50) {
            const std::uint64_t edge = ruler.timeFromX(std::max(x, 0)).GetValue();
            times.insert(times.end(), {edge, edge > 0 ? edge - 1 : 0});
        }
        times.insert(times.end(), {0, std::numeric_limits<std::uint64_t>::max(), shownStart, 7, ruler.getEnd().GetValue(),
                                   shownStart + shown * 5000, 1});
        const ColumnEdges edges(ruler);
        for (const int k : {0, edges.columns()})
            times.insert(times.end(), {edges.edge(k), edges.edge(k) - 1, edges.edge(k) + 1});

        ColumnCursor cursor(edges);
        const std::uint64_t column = shown / static_cast<std::uint64_t>(width) + 1;
        constexpr std::uint64_t kLast = std::numeric_limits<std::uint64_t>::max();
        const auto later = [](std::uint64_t time, std::uint64_t by) { return time > kLast - by ? kLast : time + by; };
        for (const std::uint64_t time : times) {
            ASSERT_EQ(ruler.xFromTime(time, true), cursor.column(time)) << time << " in view " << view;
            // Ends from where the start left the cursor: in its column, a few on, far on, before it.
            for (const std::uint64_t end : {time, later(time, column / 2), later(time, column * 3), later(time, column * 40),
                                            later(time, shown * 3), time - std::min(time, column)})
                ASSERT_EQ(ruler.xFromTime(end, true), cursor.endColumn(end)) << end << " in view " << view;
        }
    }
}

} // namespace
