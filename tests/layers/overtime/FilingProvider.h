#pragma once
// A provider whose worker never runs: requests stay queued where tests can read them, and tests
// file the answers themselves, as the worker would, in the results list of the request's type.
// End it through deleteSelf (FilingProviderPtr).
#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"

#include <memory>
#include <vector>

namespace overtime_test {

class FilingProvider : public velmora_1_0::SarvikProvider {
public:
    // With rowBy the provider has a row-by table, so a layer may own the row backgrounds.
    explicit FilingProvider(bool rowBy)
    {
        if (!rowBy)
            return;
        auto source = std::make_unique<velmora_1_0::SarvikDataSource>();
        source->attributeTable = "threads";
        setRowByDS(source.release()); // the provider takes ownership
    }

    // Files `data` as the answer to a request of `type`.
    void file(int type, const OverTimeData& data)
    {
        wxCriticalSectionLocker lock(m_resultsLock);
        (type == REQUEST_ATTR_OVERTIME      ? m_attrOverTimeData
         : type == REQUEST_DERIVED_OVERTIME ? m_derivedOverTimeData
                                            : m_overTimeData)
            .push_back(data);
    }

    std::vector<tarquel_1_0::DataRequest> queued()
    {
        wxCriticalSectionLocker lock(m_queueLock);
        return {m_requestQueue.begin(), m_requestQueue.end()};
    }

protected:
    ~FilingProvider() override = default;
};

struct DeleteSelf {
    void operator()(FilingProvider* provider) const { provider->deleteSelf(); }
};
using FilingProviderPtr = std::unique_ptr<FilingProvider, DeleteSelf>;

// A record of `values` for a data row, answering request `id` of `layer`.
inline velmora_1_0::SarvikProvider::OverTimeData record(tarquel_1_0::GraphLayer* layer, int row, unsigned int id,
                                                        std::vector<double> values, double maxValue)
{
    velmora_1_0::SarvikProvider::OverTimeData data;
    data.layer = layer;
    data.row = static_cast<short>(row);
    data.requestId = id;
    data.values = std::move(values);
    data.maxValue = maxValue;
    return data;
}

} // namespace overtime_test
