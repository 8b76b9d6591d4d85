#include <tarquel_1_0/DataProvider.h>

#include "EndingWorkers.h"

#include <tarquel_1_0/DataSource.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/ProviderNotice.h>
#include <tarquel_1_0/UiThread.h>

#include <VORN_2_9/varg_list.h>

#include <algorithm>
#include <exception>

#include <wx/event.h>

namespace tarquel_1_0 {

namespace {

std::uint64_t nextSerial()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

bool matches(const DataRequest& request, const GraphLayer* layer, int type)
{
    return (layer == nullptr || request.layer == layer) && request.type == type;
}

} // namespace

DataProvider::DataProvider()
    : wxThread(wxTHREAD_DETACHED),
      m_requestSemaphore(std::make_unique<wxSemaphore>()),
      m_smbRunningColor(46, 160, 67),
      m_smbWaitingColor(214, 222, 230),
      m_serial(nextSerial())
{
}

DataProvider::~DataProvider()
{
    if (m_ending)
        EndingWorkers::instance().remove();
}

wxThread::ExitCode DataProvider::Entry()
{
    for (;;) {
        m_requestSemaphore->Wait();
        {
            // deleteSelf raises m_stopping under this lock: once the worker sees it, nobody else
            // touches the object any more and the thread may delete it.
            wxCriticalSectionLocker lock(m_queueLock);
            if (m_stopping)
                break;
            if (m_holds > 0) {
                ++m_heldPosts; // given back on release
                continue;
            }
            // A cleared request leaves its post behind: nothing to take then.
            if (m_requestQueue.empty())
                continue;
            m_currentRequest = std::move(m_requestQueue.front());
            m_requestQueue.pop_front();
            m_busy = true;
            m_canceled = false;
        }
        handleGuarded();
        wxCriticalSectionLocker lock(m_queueLock);
        m_busy = false;
    }
    return nullptr;
}

void DataProvider::handleGuarded()
{
    // An exception must not end the worker: wx would end the thread and delete the provider
    // under the window that still holds it.
    try {
        handleRequest();
    } catch (const std::exception& error) {
        reportFailure(wxString::FromUTF8(error.what()));
    } catch (...) {
        reportFailure(wxString()); // no cause to tell; the receiver says so
    }
    for (const wxString& failure : takeStorageFailures())
        reportFailure(failure);
}

void DataProvider::reportFailure(const wxString& cause)
{
    wxCriticalSectionLocker lock(m_sinkLock);
    if (!m_reportedFailures.insert(cause).second || !m_sink)
        return;
    auto event = std::make_unique<wxThreadEvent>(EVT_PROVIDER_FAILURE);
    event->SetPayload(ProviderNotice{this, m_currentRequest.layer, 0, m_serial});
    event->SetString(cause); // wxThreadEvent copies its string deeply when queued
    wxQueueEvent(m_sink, event.release()); // the sink's queue owns it
}

void DataProvider::handleRequest()
{
    switch (m_currentRequest.type) {
    case REQUEST_SB_FILTER_UPDATE:
        handleFilterUpdate();
        break;
    case REQUEST_SMB_DATA:
        handleSMBRequest();
        break;
    default:
        // An unknown type has nobody waiting for an answer; dropping it is all there is to do.
        handleCustomRequest();
        break;
    }
}

void DataProvider::handleFilterUpdate()
{
    if (!updateSBFilterData() || isCanceled())
        return;
    std::map<int, std::vector<SBInterval>> bands;
    for (int row = 0; row < m_rowCount; ++row) {
        std::vector<SBInterval> band;
        if (getSBFilterData(m_currentRequest.dataSource.get(), row, band) && !band.empty())
            bands[row] = std::move(band);
        if (isCanceled())
            return;
    }
    wxCriticalSectionLocker lock(m_resultsLock);
    m_filterBands.swap(bands);
    m_visibleRowsKnown = true;
    generateDataReadyNotification(m_currentRequest.layer);
}

void DataProvider::handleSMBRequest()
{
    SMBRowData data;
    data.layer = m_currentRequest.layer;
    data.requestId = m_currentRequest.requestId;
    data.row = m_currentRequest.row;
    if (!getSMBData(m_currentRequest.dataSource.get(), data.row, data.intervals) || isCanceled())
        return;
    wxCriticalSectionLocker lock(m_resultsLock);
    m_smbResults.push_back(std::move(data));
    generateDataReadyNotification(m_currentRequest.layer);
}

bool DataProvider::waitForEndingWorkers(int timeoutMs)
{
    return EndingWorkers::instance().waitUntilNone(timeoutMs);
}

void DataProvider::deleteSelf()
{
    TARQUEL_UI_THREAD_ONLY();
    setNotificationSink(nullptr);
    if (!IsAlive() && GetId() != 0) {
        // Created but never run: the thread waits to be started, so start it only to end it.
        Run();
    }
    if (!IsAlive()) {
        delete this; // no thread was ever created
        return;
    }
    // The worker ends and its detached thread deletes this object as soon as it sees m_stopping,
    // which it reads under m_queueLock: releasing the lock below is the last touch of this object.
    // The program's end waits for the worker (EndingWorkers).
    EndingWorkers::instance().add();
    wxCriticalSectionLocker lock(m_queueLock);
    m_ending = true;
    m_stopping = true;
    m_requestQueue.clear();
    m_requestSemaphore->Post();
}

bool DataProvider::openDataFile(const wxString& path)
{
    m_dataFile = path;
    return false;
}

int DataProvider::getSummaryInfo(std::vector<SummaryInfo>& out)
{
    for (short row = 0; row < m_rowCount; ++row) {
        SummaryInfo line;
        line.row = row;
        line.name = getString("%Row_default_name", VORN_2_9::generic::varg_list().add(static_cast<int>(row)));
        line.end = m_duration;
        out.push_back(line);
    }
    return static_cast<int>(out.size());
}

unsigned int DataProvider::requestSBFilterUpdate(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    // A newer filter state makes any older computation worthless.
    clearRequestType(nullptr, REQUEST_SB_FILTER_UPDATE);
    return queueRequest(layer, REQUEST_SB_FILTER_UPDATE, DataRequest());
}

void DataProvider::clear()
{
    TARQUEL_UI_THREAD_ONLY();
    {
        wxCriticalSectionLocker lock(m_queueLock);
        m_requestQueue.clear();
    }
    wxCriticalSectionLocker lock(m_resultsLock);
    m_smbResults.clear();
}

bool DataProvider::hasRowBy()
{
    return false;
}

wxColour DataProvider::getSMBRunningColor() const
{
    return m_smbRunningColor;
}

wxColour DataProvider::getSMBMixedColor() const
{
    const auto mix = [](unsigned char a, unsigned char b) { return static_cast<unsigned char>((a + b) / 2); };
    return wxColour(mix(m_smbRunningColor.Red(), m_smbWaitingColor.Red()),
                    mix(m_smbRunningColor.Green(), m_smbWaitingColor.Green()),
                    mix(m_smbRunningColor.Blue(), m_smbWaitingColor.Blue()));
}

wxColour DataProvider::getSMBWaitingColor() const
{
    return m_smbWaitingColor;
}

void DataProvider::setSMBRunningColor(const wxColour& colour)
{
    m_smbRunningColor = colour;
}

void DataProvider::setSMBWaitingColor(const wxColour& colour)
{
    m_smbWaitingColor = colour;
}

std::wstring DataProvider::getTooltip(const DataSource*, int)
{
    return std::wstring();
}

void DataProvider::sortOrderChanged(SortOrder, const std::vector<int>&, const std::vector<wxString>&)
{
}

bool DataProvider::getSortOrder(SortOrder&, const std::vector<wxString>&, std::vector<int>&)
{
    return false;
}

bool DataProvider::getSMBData(const DataSource*, int, std::vector<SMBInterval>&)
{
    return false;
}

bool DataProvider::getSBFilterData(const DataSource*, int, std::vector<SBInterval>&)
{
    return false;
}

bool DataProvider::getVisibleRows(std::vector<int>&)
{
    return false;
}

bool DataProvider::handleCustomRequest()
{
    return false;
}

std::vector<wxString> DataProvider::takeStorageFailures()
{
    return {};
}

bool DataProvider::updateSBFilterData()
{
    std::vector<int> rows;
    getVisibleRows(rows);
    if (isCanceled())
        return false; // a newer filter state is on its way
    wxCriticalSectionLocker lock(m_resultsLock);
    m_visibleRows.swap(rows);
    return true;
}

void DataProvider::setNotificationSink(wxEvtHandler* sink)
{
    wxCriticalSectionLocker lock(m_sinkLock);
    m_sink = sink;
    m_lastPercent.clear();
}

std::shared_ptr<const DataSource> DataProvider::snapshotOf(const GraphLayer* layer)
{
    if (!layer || !layer->m_dataSource)
        return nullptr;
    return std::shared_ptr<const DataSource>(layer->m_dataSource->clone());
}

unsigned int DataProvider::queueRequest(GraphLayer* layer, int type, const DataRequest& request)
{
    TARQUEL_UI_THREAD_ONLY();
    wxCriticalSectionLocker lock(m_queueLock);
    DataRequest queued = request;
    queued.layer = layer;
    queued.type = type;
    queued.requestId = m_requestCounter++;
    queued.dataSource = snapshotOf(layer);
    m_requestQueue.push_back(queued);
    m_requestSemaphore->Post();
    return queued.requestId;
}

unsigned int DataProvider::requestSMBData(GraphLayer* layer, int row)
{
    TARQUEL_UI_THREAD_ONLY();
    DataRequest request;
    request.row = static_cast<short>(row);
    return queueRequest(layer, REQUEST_SMB_DATA, request);
}

int DataProvider::consumeSMBData(GraphLayer* layer, std::vector<SMBRowData>& out)
{
    TARQUEL_UI_THREAD_ONLY();
    wxCriticalSectionLocker lock(m_resultsLock);
    const auto mine = std::stable_partition(m_smbResults.begin(), m_smbResults.end(),
                                            [layer](const SMBRowData& data) { return data.layer != layer; });
    std::move(mine, m_smbResults.end(), std::back_inserter(out));
    m_smbResults.erase(mine, m_smbResults.end());
    return static_cast<int>(out.size());
}

void DataProvider::holdRequests()
{
    TARQUEL_UI_THREAD_ONLY();
    wxCriticalSectionLocker lock(m_queueLock);
    ++m_holds;
}

void DataProvider::releaseRequests()
{
    TARQUEL_UI_THREAD_ONLY();
    wxCriticalSectionLocker lock(m_queueLock);
    if (m_holds == 0 || --m_holds > 0)
        return;
    for (; m_heldPosts > 0; --m_heldPosts)
        m_requestSemaphore->Post();
}

bool DataProvider::isCanceled() const
{
    return m_canceled || m_stopping;
}

void DataProvider::clearRequestType(GraphLayer* layer, int type)
{
    TARQUEL_UI_THREAD_ONLY();
    wxCriticalSectionLocker lock(m_queueLock);
    m_requestQueue.erase(std::remove_if(m_requestQueue.begin(), m_requestQueue.end(),
                                        [&](const DataRequest& r) { return matches(r, layer, type); }),
                         m_requestQueue.end());
    if (m_busy && matches(m_currentRequest, layer, type))
        m_canceled = true;
}

void DataProvider::forgetLayer(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    {
        wxCriticalSectionLocker lock(m_queueLock);
        m_requestQueue.erase(std::remove_if(m_requestQueue.begin(), m_requestQueue.end(),
                                            [layer](const DataRequest& r) { return r.layer == layer; }),
                             m_requestQueue.end());
        if (m_busy && m_currentRequest.layer == layer)
            m_canceled = true;
    }
    {
        wxCriticalSectionLocker lock(m_resultsLock);
        m_smbResults.erase(std::remove_if(m_smbResults.begin(), m_smbResults.end(),
                                          [layer](const SMBRowData& data) { return data.layer == layer; }),
                           m_smbResults.end());
    }
    wxCriticalSectionLocker lock(m_sinkLock);
    m_lastPercent.erase(layer);
}

void DataProvider::generateDataReadyNotification(GraphLayer* layer)
{
    post(EVT_PROVIDER_DATA_READY, layer, 0);
}

void DataProvider::generateProgressNotification(GraphLayer* layer, int percent)
{
    post(EVT_PROVIDER_PROGRESS, layer, std::clamp(percent, 0, 100));
}

void DataProvider::post(int eventType, GraphLayer* layer, int percent)
{
    wxCriticalSectionLocker lock(m_sinkLock);
    if (!m_sink)
        return;
    if (eventType == EVT_PROVIDER_PROGRESS) {
        // Engines report far more often than the percentage changes.
        const auto last = m_lastPercent.find(layer);
        if (last != m_lastPercent.end() && last->second == percent)
            return;
        m_lastPercent[layer] = percent;
    }
    auto event = std::make_unique<wxThreadEvent>(eventType);
    event->SetPayload(ProviderNotice{this, layer, percent, m_serial});
    wxQueueEvent(m_sink, event.release()); // the sink's queue owns it
}

void DataProvider::getFilterBand(int dataRow, std::vector<SBInterval>& out) const
{
    wxCriticalSectionLocker lock(m_resultsLock);
    const auto band = m_filterBands.find(dataRow);
    if (band != m_filterBands.end())
        out = band->second;
    else
        out.clear();
}

bool DataProvider::getVisibleRowFilter(std::vector<int>& rows)
{
    if (!hasRowBy())
        return false;
    wxCriticalSectionLocker lock(m_resultsLock);
    if (!m_visibleRowsKnown)
        return false;
    rows = m_visibleRows;
    return true;
}

} // namespace tarquel_1_0
