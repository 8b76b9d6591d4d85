#pragma once
// A SarvikProvider whose worker-side operations and progress state tests can reach, and a layer
// that only carries a data source. Providers end through deleteSelf (ProviderPtr).
#include "provider/SarvikProvider.h"

#include <tarquel_1_0/GraphLayer.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>

namespace provider_test {

// Where a test meets the worker at the start of each custom request: a gate that holds it there
// while closed, and a failure thrown instead of handling the request. Shared with the provider, so
// it outlives a provider that ends while its worker waits at the gate.
class RequestHook {
public:
    void close();
    void open();
    // Pumps events until the worker waits at the closed gate; false after the bounded wait.
    bool waitForArrival();
    // The next request not yet given a failure throws `failure` instead of being handled.
    void failNextWith(std::exception_ptr failure);
    // Worker thread.
    void enter();

private:
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_closed = false;
    bool m_waiting = false;
    std::deque<std::exception_ptr> m_failures; // for the coming requests, in order
};

class ProbeProvider : public velmora_1_0::SarvikProvider {
public:
    // `destroyed` turns true once the provider is gone.
    explicit ProbeProvider(std::shared_ptr<std::atomic<bool>> destroyed = nullptr) : m_destroyed(std::move(destroyed)) {}
    using SarvikProvider::getAttrOverTimeData;
    using SarvikProvider::getDerivedOverTimeData;
    using SarvikProvider::getEventMarkerData;
    using SarvikProvider::getGlobalEventMarkerData;
    using SarvikProvider::getOverTimeData;
    using SarvikProvider::getSBFilterData;
    using SarvikProvider::getSMBData;
    using SarvikProvider::getSliceData;
    using SarvikProvider::getTransitionData;
    using SarvikProvider::getVisibleRows;
    using SarvikProvider::layerSortInfoMatches;
    using SarvikProvider::updateSBFilterData;

    // True while an over-time query sits in the engine with its progress object.
    bool overTimeQueryRunning();
    std::uint32_t nextTransitionId() const { return m_nextTransitionId; }
    // Stands in for a filter-band computation in progress; tells whether it was cancelled.
    void pretendFilterBandRunning();
    bool filterBandCanceled();

    // Before the worker runs only.
    void setHook(std::shared_ptr<RequestHook> hook) { m_hook = std::move(hook); }

protected:
    ~ProbeProvider() override;
    bool handleCustomRequest() override;

private:
    std::shared_ptr<std::atomic<bool>> m_destroyed;
    std::shared_ptr<RequestHook> m_hook;
};

struct DeleteSelf {
    void operator()(tarquel_1_0::DataProvider* provider) const { provider->deleteSelf(); }
};
using ProviderPtr = std::unique_ptr<ProbeProvider, DeleteSelf>;

// An area provider over `result` with the thread rows (worker running).
ProviderPtr makeAreaProvider(dd_sarvik_2_2::Result* result,
                             std::shared_ptr<std::atomic<bool>> destroyed = nullptr,
                             std::shared_ptr<RequestHook> hook = nullptr);

class SourceLayer : public tarquel_1_0::GraphLayer {
public:
    explicit SourceLayer(const velmora_1_0::SarvikDataSource& source);
    void renderAll(wxMemoryDC&) override {}
};

} // namespace provider_test
