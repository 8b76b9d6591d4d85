#pragma once
// A data provider for tests, without an engine: its custom request (VALUES) files one record per
// row whose samples are row + 1, reporting progress per row; its state strips, filter bands and
// visible rows are whatever the test set. A test can hold the worker inside a request (it then
// polls isCanceled like a long query) to race clears and deleteSelf against it on purpose.
// End it with deleteSelf (or own it through TestProviderPtr); `destroyed` turns true once the
// object is gone.
#include <tarquel_1_0/DataProvider.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace chart_test {

class TestProvider : public tarquel_1_0::DataProvider {
public:
    static const int VALUES = tarquel_1_0::DataProvider::FIRST_CUSTOM_REQUEST;

    struct Record {
        tarquel_1_0::GraphLayer* layer = nullptr;
        unsigned int requestId = 0;
        int row = 0;
        std::vector<double> values;
    };

    TestProvider(int rows, std::uint64_t duration, std::shared_ptr<std::atomic<bool>> destroyed = nullptr);

    // Create and Run, as a real provider does once it has its data.
    void start();

    unsigned int requestValues(tarquel_1_0::GraphLayer* layer, int count);
    int consumeValues(tarquel_1_0::GraphLayer* layer, std::vector<Record>& out);
    void clearValueRequests(tarquel_1_0::GraphLayer* layer);

    // While held, a VALUES request or a filter update waits (polling isCanceled) after it started.
    void hold(bool held);
    bool isHolding() const { return m_running; }
    int handledRequests() const { return m_handled; }

    void setStates(int row, std::vector<SMBInterval> states);
    void setFilterBand(int row, std::vector<SBInterval> band);
    void setFilterRows(std::vector<int> rows);
    void setRowNames(std::vector<wxString> names);

    int getSummaryInfo(std::vector<SummaryInfo>& out) override;
    bool hasRowBy() override { return true; }

protected:
    ~TestProvider() override;
    bool handleCustomRequest() override;
    bool getSMBData(const tarquel_1_0::DataSource* source, int row, std::vector<SMBInterval>& out) override;
    bool getSBFilterData(const tarquel_1_0::DataSource* source, int row, std::vector<SBInterval>& out) override;
    bool getVisibleRows(std::vector<int>& rows) override;

private:
    void waitWhileHeld();

    std::shared_ptr<std::atomic<bool>> m_destroyed;
    std::atomic<bool> m_held{false};
    std::atomic<bool> m_running{false}; // the worker waits inside a held request
    std::atomic<int> m_handled{0};
    mutable std::mutex m_mutex; // the data below, and m_records
    std::map<int, std::vector<SMBInterval>> m_states;
    std::map<int, std::vector<SBInterval>> m_bands;
    std::vector<int> m_filterRows;
    std::vector<wxString> m_names;
    std::vector<Record> m_records; // also under m_resultsLock when filed
};

// Ends the provider through deleteSelf when it goes out of scope.
struct DeleteSelf {
    void operator()(tarquel_1_0::DataProvider* provider) const { provider->deleteSelf(); }
};
using TestProviderPtr = std::unique_ptr<TestProvider, DeleteSelf>;

} // namespace chart_test
