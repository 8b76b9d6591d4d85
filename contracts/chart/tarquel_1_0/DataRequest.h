#pragma once
// One request for data, as it waits in a provider's queue and as the worker thread handles it
// (DataProvider::m_currentRequest). Plain values only, so that it can be copied across threads:
// the data source is the request's own snapshot of the layer's, taken on the UI thread when the
// request is queued, so a layer may go (and its source with it) while the worker still reads.
#include <cstdint>
#include <memory>

namespace tarquel_1_0 {

class DataSource;
class GraphLayer;

struct DataRequest {
    GraphLayer* layer = nullptr; // compared, never dereferenced by the worker thread
    int type = 0;                // DataProvider::RequestType, or a provider's own type >= FIRST_CUSTOM_REQUEST
    unsigned int requestId = 0;
    short row = 0;               // data row; global requests carry INVALID_ROW truncated to 16 bits
    int count = 0;               // pixel columns of over-time requests
    std::int64_t reserved = 0;
    std::uint64_t startTime = 0; // nanoseconds
    std::uint64_t endTime = 0;
    std::shared_ptr<const DataSource> dataSource; // snapshot of the layer's source; null without one
};

} // namespace tarquel_1_0
