#include "TestProvider.h"

#include <algorithm>

#include <wx/utils.h>

namespace chart_test {

using tarquel_1_0::GraphLayer;

TestProvider::TestProvider(int rows, std::uint64_t duration, std::shared_ptr<std::atomic<bool>> destroyed)
    : m_destroyed(std::move(destroyed))
{
    m_rowCount = static_cast<short>(rows);
    m_duration = duration;
    for (int row = 0; row < rows; ++row)
        m_filterRows.push_back(row); // every row passes until a test says otherwise
}

TestProvider::~TestProvider()
{
    if (m_destroyed)
        *m_destroyed = true;
}

void TestProvider::start()
{
    Create();
    Run();
}

unsigned int TestProvider::requestValues(GraphLayer* layer, int count)
{
    tarquel_1_0::DataRequest request;
    request.count = count;
    return queueRequest(layer, VALUES, request);
}

int TestProvider::consumeValues(GraphLayer* layer, std::vector<Record>& out)
{
    wxCriticalSectionLocker results(m_resultsLock);
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_records.begin(); it != m_records.end();) {
        if (it->layer == layer) {
            out.push_back(std::move(*it));
            it = m_records.erase(it);
        } else {
            ++it;
        }
    }
    return static_cast<int>(out.size());
}

void TestProvider::clearValueRequests(GraphLayer* layer)
{
    wxCriticalSectionLocker results(m_resultsLock);
    clearRequestType(layer, VALUES);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.erase(std::remove_if(m_records.begin(), m_records.end(),
                                   [layer](const Record& r) { return r.layer == layer; }),
                    m_records.end());
}

void TestProvider::hold(bool held)
{
    m_held = held;
}

void TestProvider::setStates(int row, std::vector<SMBInterval> states)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_states[row] = std::move(states);
}

void TestProvider::setFilterBand(int row, std::vector<SBInterval> band)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bands[row] = std::move(band);
}

void TestProvider::setFilterRows(std::vector<int> rows)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_filterRows = std::move(rows);
}

void TestProvider::setRowNames(std::vector<wxString> names)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_names = std::move(names);
}

int TestProvider::getSummaryInfo(std::vector<SummaryInfo>& out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int row = 0; row < m_rowCount; ++row) {
        SummaryInfo line;
        line.row = static_cast<short>(row);
        line.name = row < static_cast<int>(m_names.size()) ? m_names[row] : wxString::Format("thread %d", row);
        line.end = m_duration;
        out.push_back(line);
    }
    return static_cast<int>(out.size());
}

bool TestProvider::handleCustomRequest()
{
    if (m_currentRequest.type != VALUES)
        return false;
    GraphLayer* layer = m_currentRequest.layer;
    generateProgressNotification(layer, 0);
    waitWhileHeld();
    std::vector<Record> records;
    for (int row = 0; row < m_rowCount && !isCanceled(); ++row) {
        records.push_back({layer, m_currentRequest.requestId, row,
                           std::vector<double>(std::max(m_currentRequest.count, 0), row + 1.0)});
        generateProgressNotification(layer, (row + 1) * 100 / m_rowCount);
    }
    ++m_handled;
    if (isCanceled())
        return true;
    wxCriticalSectionLocker results(m_resultsLock);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::move(records.begin(), records.end(), std::back_inserter(m_records));
    }
    generateDataReadyNotification(layer);
    return true;
}

bool TestProvider::getSMBData(const tarquel_1_0::DataSource*, int row, std::vector<SMBInterval>& out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto states = m_states.find(row);
    if (states != m_states.end())
        out = states->second;
    return true;
}

bool TestProvider::getSBFilterData(const tarquel_1_0::DataSource*, int row, std::vector<SBInterval>& out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto band = m_bands.find(row);
    if (band != m_bands.end())
        out = band->second;
    return true;
}

void TestProvider::waitWhileHeld()
{
    if (!m_held)
        return;
    m_running = true;
    // A long query: it polls for cancellation between steps.
    while (m_held && !isCanceled())
        wxMilliSleep(1);
    m_running = false;
}

bool TestProvider::getVisibleRows(std::vector<int>& rows)
{
    waitWhileHeld();
    std::lock_guard<std::mutex> lock(m_mutex);
    rows = m_filterRows;
    return true;
}

} // namespace chart_test
