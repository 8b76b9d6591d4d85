// The layer's marker columns against a plain sorted vector of records: arrivals in any order and
// any row, mixed among the markers held, read back as the records they were.
#include "MarkerProvider.h"

#include "layers/EventMarkerLayer.h"
#include "layers/MarkerList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace marker_test {
namespace {

using velmora_1_0::MarkerList;
using Markers = std::vector<velmora_1_0::SarvikProvider::EventMarker>;

bool sameRecord(const velmora_1_0::SarvikProvider::EventMarker& a, const velmora_1_0::SarvikProvider::EventMarker& b)
{
    return a.row == b.row && a.startTime == b.startTime && a.endTime == b.endTime && a.value == b.value &&
           a.instanceIndex == b.instanceIndex;
}

TEST(MarkerList, ArrivalsMergeIntoTheOrderAfterEqualMarkersAndSayWhereTheyWent)
{
    std::mt19937_64 random(5);
    std::uniform_int_distribution<int> rowOf(-1, 6);
    std::uniform_int_distribution<std::uint64_t> time(0, 40); // many equal keys
    std::uniform_int_distribution<int> size(0, 300);
    MarkerList list;
    Markers model; // stable: equal markers in arrival order
    int instance = 0;
    for (int round = 0; round < 40; ++round) {
        Markers arrivals(static_cast<size_t>(size(random)));
        for (auto& m : arrivals) {
            const std::uint64_t start = time(random);
            m = marker(static_cast<short>(rowOf(random)), start, start + time(random) % 3, instance);
            m.value = -instance++;
        }
        Markers sorted = arrivals;
        std::stable_sort(sorted.begin(), sorted.end(), velmora_1_0::EventMarkerLayer::markerSortFunc);
        const std::vector<int> places = list.add(arrivals);
        ASSERT_EQ(places.size(), sorted.size());
        for (const auto& m : sorted)
            model.insert(std::upper_bound(model.begin(), model.end(), m, velmora_1_0::EventMarkerLayer::markerSortFunc),
                         m);
        ASSERT_EQ(list.size(), model.size());
        for (size_t i = 0; i < model.size(); ++i)
            ASSERT_TRUE(sameRecord(list.at(i), model[i])) << "round " << round << ", marker " << i;
        for (size_t i = 0; i < places.size(); ++i)
            EXPECT_TRUE(sameRecord(list.at(static_cast<size_t>(places[i])), sorted[i])) << "round " << round;
    }
    // The first marker of a row at a start, past the last start of a row, and past the end.
    for (short row = -1; row <= 7; ++row)
        for (std::uint64_t start = 0; start <= 42; ++start) {
            const auto expected = std::lower_bound(model.begin(), model.end(), marker(row, start, 0),
                                                   velmora_1_0::EventMarkerLayer::markerSortFunc);
            ASSERT_EQ(list.lowerBound(row, start), static_cast<size_t>(expected - model.begin()));
        }
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.lowerBound(0, 0), 0u);
}

} // namespace
} // namespace marker_test
