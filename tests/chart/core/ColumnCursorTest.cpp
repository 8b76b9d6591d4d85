// The cursor against the ruler's own conversion, over times that rise densely and sparsely, jump
// back, sit on column edges and lie far outside the view, where the columns are clamped.
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
        const std::uint64_t start = random() % 300000000000000ull;
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

        ColumnCursor cursor(ruler);
        for (const std::uint64_t time : times)
            ASSERT_EQ(ruler.xFromTime(time, true), cursor.column(time)) << time << " in view " << view;
    }
}

} // namespace
