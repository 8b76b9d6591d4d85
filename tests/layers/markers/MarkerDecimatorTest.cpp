// The choice of markers against a plain one-marker-at-a-time model of it, on enough rows that
// they are chosen side by side: the same markers in the same order, at the same columns.
#include "MarkerGraph.h"
#include "MarkerProvider.h"

#include "layers/EventMarkerLayer.h"
#include "layers/MarkerDecimator.h"
#include "layers/MarkerList.h"

#include <tarquel_1_0/Ruler.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

namespace marker_test {
namespace {

using velmora_1_0::MarkerDecimator;
using velmora_1_0::SarvikProvider;
using Markers = std::vector<SarvikProvider::EventMarker>;

constexpr int kRows = 48;
constexpr int kWidth = 800;
constexpr std::uint64_t kDuration = 8000000;

// Marker by marker, in list order: in the widened window, on a row in view, first of its span.
MarkerDecimator::RowChoices chooseOneByOne(const tarquel_1_0::Ruler& ruler, MarkerGraph& graph, const Markers& markers)
{
    MarkerDecimator::RowChoices chosen(static_cast<size_t>(graph.getRowCount()));
    std::vector<std::set<unsigned int>> rowKeys(static_cast<size_t>(graph.getRowCount()));
    const std::uint64_t margin = ruler.getMarkerMargin().GetValue();
    const std::uint64_t start = ruler.getStart().GetValue();
    const std::uint64_t windowStart = start >= margin ? start - margin : 0;
    const std::uint64_t windowEnd = ruler.getEnd().GetValue() + margin;
    for (size_t i = 0; i < markers.size(); ++i) {
        const SarvikProvider::EventMarker& m = markers[i];
        const int row = m.row == -1 ? 0 : m.row;
        if (m.endTime < windowStart || m.startTime > windowEnd || row >= graph.getRowCount() ||
            graph.getDisplayRow(row) == -1)
            continue;
        const int x1 = ruler.xFromTime(m.startTime, true);
        const int x2 = ruler.xFromTime(m.endTime, true);
        if (rowKeys[static_cast<size_t>(row)].insert(MarkerDecimator::spanKey(x1, x2)).second)
            chosen[static_cast<size_t>(row)].push_back({static_cast<int>(i), x1, x2, m.endTime != m.startTime, m.row == -1});
    }
    return chosen;
}

// Rounds of random markers, each a new mix so that rows finish in a different order each time,
// chosen for the ruler's view and compared with the one-at-a-time model. `longest`: how long a
// duration marker may last; `extra` adds markers to each round.
void expectChoiceAsOneByOne(tarquel_1_0::Ruler& ruler, std::uint64_t longest,
                            const std::function<void(Markers&)>& extra = nullptr)
{
    MarkerGraph graph(nullptr, &ruler, kRows, kWidth);
    graph.m_hidden = {3, 17, 40};
    std::mt19937_64 random(11);
    std::uniform_int_distribution<std::uint64_t> time(0, kDuration - 50000);
    std::uniform_int_distribution<std::uint64_t> length(0, longest);
    std::uniform_int_distribution<int> rowOf(-1, kRows + 1); // global markers, and rows past the area
    std::uniform_int_distribution<int> size(0, 4000);
    for (int round = 0; round < 12; ++round) {
        Markers markers(static_cast<size_t>(size(random)) * 10);
        for (auto& m : markers) {
            const std::uint64_t start = time(random);
            m = marker(static_cast<short>(rowOf(random)), start, random() % 3 == 0 ? start + length(random) : start);
        }
        if (extra)
            extra(markers);
        std::sort(markers.begin(), markers.end(), velmora_1_0::EventMarkerLayer::markerSortFunc);

        const MarkerDecimator::RowChoices expected = chooseOneByOne(ruler, graph, markers);
        // Longest durations learnt in two arrivals, as a layer learns them.
        std::vector<std::uint64_t> longestByRow;
        const auto half = markers.begin() + static_cast<std::ptrdiff_t>(markers.size() / 2);
        MarkerDecimator::widenLongest(Markers(markers.begin(), half), longestByRow);
        MarkerDecimator::widenLongest(Markers(half, markers.end()), longestByRow);
        velmora_1_0::MarkerList list;
        Markers arrivals = markers;
        list.add(arrivals);
        // Stale choices are replaced, and lists beyond the area's rows dropped.
        MarkerDecimator::RowChoices chosen(kRows + 2, {{-5, 1, 2}});
        MarkerDecimator(ruler, graph).choose(list, longestByRow, chosen);
        EXPECT_TRUE(chosen == expected) << "round " << round;
        // Without them every marker is read: the same choice.
        MarkerDecimator(ruler, graph).choose(list, {}, chosen);
        EXPECT_TRUE(chosen == expected) << "round " << round;
    }
}

TEST(MarkerDecimator, ChoosesRowsSideBySideAsIfOneMarkerAtATime)
{
    tarquel_1_0::Ruler ruler;
    ruler.setDuration(kDuration);
    ruler.setPixelWidth(kWidth);
    ruler.setVisibleRange(kDuration / 4, kDuration / 4 * 3, false);
    // Markers a few columns long, and some reaching across the view.
    expectChoiceAsOneByOne(ruler, 50000);
    expectChoiceAsOneByOne(ruler, kDuration / 2);
}

// Zoomed in to a nanosecond per column, spans grow past the 16 bits of a column the key keeps:
// markers whose keys are equal although their columns are not count as one, as the key says.
TEST(MarkerDecimator, SpansWhoseKeysAreEqualCountAsOne)
{
    tarquel_1_0::Ruler ruler;
    ruler.setDuration(kDuration);
    ruler.setPixelWidth(kWidth);
    const std::uint64_t start = kDuration / 2;
    ruler.setVisibleRange(start, start + kWidth - 1, false);
    ASSERT_EQ(ruler.xFromTime(start + 1, true), 1);
    expectChoiceAsOneByOne(ruler, 30, [start](Markers& markers) {
        for (short row = -1; row < 6; ++row) {
            const std::uint64_t at = start + 100 + static_cast<std::uint64_t>(row + 1) * 50;
            if (row % 2 == 0) {
                // An instant and a span a column wide, then spans from its column that end 2^16
                // and 2^17 columns on: their keys equal the instant's.
                markers.push_back(marker(row, at, at));
                markers.push_back(marker(row, at, at + 1));
                markers.push_back(marker(row, at, at + 65536));
                markers.push_back(marker(row, at, at + 131072));
            } else {
                // A span starting 2^16 columns earlier that ends in the instant's column: the
                // instant after it repeats its key.
                markers.push_back(marker(row, at - 65536, at));
                markers.push_back(marker(row, at, at));
            }
        }
    });
}

} // namespace
} // namespace marker_test
