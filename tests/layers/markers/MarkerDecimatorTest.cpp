// The choice of markers against a plain one-marker-at-a-time model of it, on enough rows that
// they are chosen side by side: the same markers in the same order, the same keys per row.
#include "MarkerGraph.h"
#include "MarkerProvider.h"

#include "layers/EventMarkerLayer.h"
#include "layers/MarkerDecimator.h"

#include <tarquel_1_0/Ruler.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace marker_test {
namespace {

using velmora_1_0::MarkerDecimator;
using velmora_1_0::SarvikProvider;
using Markers = std::vector<SarvikProvider::EventMarker>;

constexpr int kRows = 48;
constexpr int kWidth = 800;
constexpr std::uint64_t kDuration = 8000000;

// Marker by marker, in list order: in the widened window, on a row in view, first of its span.
void chooseOneByOne(const tarquel_1_0::Ruler& ruler, MarkerGraph& graph, const Markers& markers,
                    MarkerDecimator::RowKeys& rowKeys, std::vector<int>& chosen)
{
    rowKeys.assign(static_cast<size_t>(graph.getRowCount()), {});
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
        const unsigned int key =
            MarkerDecimator::spanKey(ruler.xFromTime(m.startTime, true), ruler.xFromTime(m.endTime, true));
        if (rowKeys[static_cast<size_t>(row)].emplace(key, 1).second)
            chosen.push_back(static_cast<int>(i));
    }
}

TEST(MarkerDecimator, ChoosesRowsSideBySideAsIfOneMarkerAtATime)
{
    tarquel_1_0::Ruler ruler;
    ruler.setDuration(kDuration);
    ruler.setPixelWidth(kWidth);
    ruler.setVisibleRange(kDuration / 4, kDuration / 4 * 3, false);
    MarkerGraph graph(nullptr, &ruler, kRows, kWidth);
    graph.m_hidden = {3, 17, 40};

    std::mt19937_64 random(11);
    std::uniform_int_distribution<std::uint64_t> time(0, kDuration - 50000);
    std::uniform_int_distribution<std::uint64_t> length(0, 50000);
    std::uniform_int_distribution<int> rowOf(-1, kRows + 1); // global markers, and rows past the area
    std::uniform_int_distribution<int> size(0, 4000);
    // Each round a new mix, so that rows finish in a different order each time.
    for (int round = 0; round < 12; ++round) {
        Markers markers(static_cast<size_t>(size(random)) * 10);
        for (auto& m : markers) {
            const std::uint64_t start = time(random);
            m = marker(static_cast<short>(rowOf(random)), start, random() % 3 == 0 ? start + length(random) : start);
            m.rect = wxRect(1, 2, 3, 4);
        }
        std::sort(markers.begin(), markers.end(), velmora_1_0::EventMarkerLayer::markerSortFunc);

        MarkerDecimator::RowKeys expectedKeys;
        std::vector<int> expected;
        chooseOneByOne(ruler, graph, markers, expectedKeys, expected);
        MarkerDecimator::RowKeys keys{{{7u, 1}}}; // a stale cache is replaced
        std::vector<int> chosen{-5};
        MarkerDecimator(ruler, graph).choose(markers, keys, chosen);

        EXPECT_EQ(chosen, expected) << "round " << round;
        EXPECT_EQ(keys, expectedKeys) << "round " << round;
        EXPECT_TRUE(std::all_of(markers.begin(), markers.end(), [](const auto& m) { return m.rect.width == 0; }));
    }
}

} // namespace
} // namespace marker_test
