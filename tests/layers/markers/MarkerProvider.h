#pragma once
// A SarvikProvider without a result or a worker for marker layer tests and benchmarks: the test
// files finished records itself, as the worker would, and instance tooltips are fixed texts.
// End it with deleteSelf (MarkerProviderPtr does).
#include "provider/SarvikProvider.h"

#include <memory>
#include <random>

namespace marker_test {

class MarkerProvider : public velmora_1_0::SarvikProvider {
public:
    // Files the answer to `requestId` for the per-row (or the global) marker list.
    void file(tarquel_1_0::GraphLayer* layer, unsigned int requestId, short row, std::vector<EventMarker> markers,
              bool global = false);
    // "\nInstance <index>".
    std::wstring getTooltip(const tarquel_1_0::DataSource* source, int instanceIndex) override;
};

struct DeleteSelf {
    void operator()(tarquel_1_0::DataProvider* provider) const { provider->deleteSelf(); }
};
using MarkerProviderPtr = std::unique_ptr<MarkerProvider, DeleteSelf>;

// A marker of `row` from `start` to `end` (nanoseconds).
velmora_1_0::SarvikProvider::EventMarker marker(short row, std::uint64_t start, std::uint64_t end,
                                                std::int32_t instance = 0);

// `count` markers of `row` spread at random over [0, duration): four in five are instants, the
// rest last up to 3 ms (three columns of a benchmark's view).
std::vector<velmora_1_0::SarvikProvider::EventMarker> randomMarkers(short row, int count, std::uint64_t duration,
                                                                    std::mt19937_64& random);

} // namespace marker_test
