#pragma once
// A provider whose worker never runs: requests stay queued where tests can read them, and tests
// file the answers themselves, as the worker would, in the results list of the request's type.
// End it through deleteSelf (FilingProviderPtr).
#include "provider/SarvikProvider.h"

#include <memory>
#include <vector>

namespace overtime_test {

class FilingProvider : public velmora_1_0::SarvikProvider {
public:
    // With rowBy the provider has a row-by table, so a layer may own the row backgrounds.
    explicit FilingProvider(bool rowBy);

    // Files `data` as the answer to `type` (REQUEST_OVERTIME, _ATTR_ or _DERIVED_).
    void file(int type, const OverTimeData& data);
    // The queued requests, oldest first.
    std::vector<tarquel_1_0::DataRequest> queued();

protected:
    ~FilingProvider() override = default;
};

struct DeleteSelf {
    void operator()(FilingProvider* provider) const { provider->deleteSelf(); }
};
using FilingProviderPtr = std::unique_ptr<FilingProvider, DeleteSelf>;

// A record of `values` for a data row, answering request `id` of `layer`.
velmora_1_0::SarvikProvider::OverTimeData record(tarquel_1_0::GraphLayer* layer, int row, unsigned int id,
                                                 std::vector<double> values, double maxValue);

} // namespace overtime_test
