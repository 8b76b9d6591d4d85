#include "FilingProvider.h"

#include "provider/SarvikDataSource.h"

namespace overtime_test {

FilingProvider::FilingProvider(bool rowBy)
{
    if (rowBy) {
        auto source = std::make_unique<velmora_1_0::SarvikDataSource>();
        source->attributeTable = "threads";
        setRowByDS(source.release()); // the provider takes ownership
    }
}

void FilingProvider::file(int type, const OverTimeData& data)
{
    wxCriticalSectionLocker lock(m_resultsLock);
    if (type == REQUEST_ATTR_OVERTIME)
        m_attrOverTimeData.push_back(data);
    else if (type == REQUEST_DERIVED_OVERTIME)
        m_derivedOverTimeData.push_back(data);
    else
        m_overTimeData.push_back(data);
}

std::vector<tarquel_1_0::DataRequest> FilingProvider::queued()
{
    wxCriticalSectionLocker lock(m_queueLock);
    return m_requestQueue;
}

velmora_1_0::SarvikProvider::OverTimeData record(tarquel_1_0::GraphLayer* layer, int row, unsigned int id,
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
