#include "provider/SarvikProvider.h"

#include "provider/BandObjectReader.h"
#include "provider/SliceReader.h"
#include "provider/FilterBandService.h"
#include "provider/InstanceTooltip.h"
#include "provider/LayerRecords.h"
#include "provider/OverTimeReader.h"
#include "provider/ProgressObj.h"
#include "provider/RowSummaryReader.h"
#include "provider/SarvikDataSource.h"
#include "provider/SortOrderMemory.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_band.h>
#include <dd_sarvik_2_2/dd_band_table.h>
#include <dd_sarvik_2_2/dd_overtime_derived_query.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/filter/dd_filter_eval.h>
#include <sarvikhelpers_1_0/IQuery.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/UiThread.h>

#include <wx/filename.h>

#include <algorithm>
#include <climits>
#include <typeinfo>

namespace velmora_1_0 {

namespace {

// The checked downcast of a request's source: the provider only ever files its own.
const SarvikDataSource* sarvikSource(const tarquel_1_0::DataSource* source)
{
    return &dynamic_cast<const SarvikDataSource&>(*source);
}

// Hands `layer`'s finished records from the worker's list to the UI thread's `out`.
template <class Record>
int moveUnder(wxCriticalSection& lock, std::vector<Record>& list, const tarquel_1_0::GraphLayer* layer,
              std::vector<Record>& out)
{
    wxCriticalSectionLocker locker(lock);
    return LayerRecords::moveTo(list, layer, out);
}

} // namespace

std::map<SarvikProvider::QueryPtr, tarquel_1_0::DataProvider::LayerSortInfo> SarvikProvider::m_layerSortInfoMap;

SarvikProvider::SarvikProvider() = default;

SarvikProvider::~SarvikProvider()
{
    m_rowByDS.reset();
    wxCriticalSectionLocker lock(m_progressLock);
    m_overTimeProgress.reset();
    m_filterProgress.reset();
}

// --- result and time ---

void SarvikProvider::applyResult(int areaIndex, dd_sarvik_2_2::Result* result)
{
    m_areaIndex = areaIndex;
    m_result = result;
    // Time 0 of the control is the result's time origin, not the first band.
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    dd_sarvik_2_2::dd_band::get_band_min_max(start, end, m_result->get_database());
    m_result->initialize_manipulator_manager(m_manipulators);
    m_duration = clock().nanoseconds(end);
}

void SarvikProvider::setResult(int areaIndex, dd_sarvik_2_2::Result* result)
{
    applyResult(areaIndex, result);
    m_rowCount = 1;
    Create(0);
    Run();
}

void SarvikProvider::setResult(int areaIndex, dd_sarvik_2_2::Result* result, const tarquel_1_0::DataSource& rowBy)
{
    const auto& rows = dynamic_cast<const SarvikDataSource&>(rowBy);
    applyResult(areaIndex, result);
    setRowsInResult(static_cast<std::size_t>(RowSummaryReader::rowCount(*m_result, rows)));
    Create(0);
    Run();
}

void SarvikProvider::setRowsInResult(std::size_t rows)
{
    m_rowsInResult = static_cast<int>(std::min<std::size_t>(rows, INT_MAX));
    m_rowCount = static_cast<short>(std::min<std::size_t>(rows, SHRT_MAX));
}

void SarvikProvider::setRowByDS(SarvikDataSource* rowBy)
{
    m_rowByDS.reset(rowBy);
}

bool SarvikProvider::openDataFile(const wxString& path)
{
    m_dataFile = path;
    if (!wxFileName::DirExists(path))
        return false;
    m_resultDir = path;
    const dd_sarvik_2_2::dd_error error =
        m_engine.result_open(m_result, ddb_2_2::string(path.ToStdWstring()), ddb_2_2::string(), nullptr);
    if (error.code != 0)
        return false;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    dd_sarvik_2_2::dd_band::get_band_min_max(start, end, m_result->get_database());
    m_result->initialize_manipulator_manager(m_manipulators);
    m_duration = clock().nanoseconds(end);
    setRowsInResult(dd_sarvik_2_2::dd_band_table(m_result->get_database()).size());
    return true;
}

TickClock SarvikProvider::clock() const
{
    return TickClock(m_manipulators.get_time_origin(), m_manipulators.get_tick_frequency());
}

tarquel_1_0::TimeMask SarvikProvider::timeMask() const
{
    if (!m_result)
        return {};
    const dd_sarvik_2_2::dd_filter_eval filter(m_result->get_database());
    if (!filter.has_time_filter())
        return {};
    const TickClock ticks = clock();
    std::vector<tarquel_1_0::TimeMask::Span> kept;
    for (const auto& range : filter.get_time_ranges()) {
        // Ticks before the time origin are no time of the data.
        const std::uint64_t origin = m_manipulators.get_time_origin();
        if (range.second <= origin)
            continue;
        kept.push_back({ticks.nanoseconds(std::max(range.first, origin)), ticks.nanoseconds(range.second)});
    }
    return tarquel_1_0::TimeMask(std::move(kept));
}

wxULongLongNative SarvikProvider::nsecs(std::uint64_t ticks) const
{
    return wxULongLongNative(clock().nanoseconds(ticks));
}

unsigned long long SarvikProvider::tsc(const wxULongLongNative& nanoseconds) const
{
    return clock().ticks(nanoseconds.GetValue());
}

// --- lifetime ---

void SarvikProvider::deleteSelf()
{
    TARQUEL_UI_THREAD_ONLY();
    {
        wxCriticalSectionLocker lock(m_progressLock);
        if (m_overTimeProgress)
            m_overTimeProgress->cancel();
        if (m_filterProgress)
            m_filterProgress->cancel();
    }
    DataProvider::deleteSelf();
}

void SarvikProvider::clear()
{
    TARQUEL_UI_THREAD_ONLY();
    DataProvider::clear();
    wxCriticalSectionLocker lock(m_resultsLock);
    m_overTimeData.clear();
    m_derivedOverTimeData.clear();
    m_transitionData.clear();
    m_attrOverTimeData.clear();
    m_eventMarkerData.clear();
    m_globalEventMarkerData.clear();
    m_sliceData.clear();
    m_nextTransitionId = 0;
}

// --- requests, consume, clear ---

unsigned int SarvikProvider::queueCustomRequest(int type, GraphLayer* layer, int row, std::uint64_t start,
                                                std::uint64_t end, int count)
{
    tarquel_1_0::DataRequest request;
    request.row = static_cast<short>(row);
    request.count = count;
    request.startTime = start;
    request.endTime = end;
    return queueRequest(layer, type, request);
}

unsigned int SarvikProvider::requestGenericOverTimeData(int type, GraphLayer* layer, int row,
                                                        const wxULongLongNative& start, const wxULongLongNative& end,
                                                        int count)
{
    return queueCustomRequest(type, layer, row, start.GetValue(), end.GetValue(), count);
}

unsigned int SarvikProvider::requestOverTimeData(GraphLayer* layer, int row, const wxULongLongNative& start,
                                                 const wxULongLongNative& end, int count)
{
    return requestGenericOverTimeData(REQUEST_OVERTIME, layer, row, start, end, count);
}

unsigned int SarvikProvider::requestDerivedOverTimeData(GraphLayer* layer, int row, const wxULongLongNative& start,
                                                        const wxULongLongNative& end, int count)
{
    return requestGenericOverTimeData(REQUEST_DERIVED_OVERTIME, layer, row, start, end, count);
}

unsigned int SarvikProvider::requestAttrOverTimeData(GraphLayer* layer, int row, const wxULongLongNative& start,
                                                     const wxULongLongNative& end, int count)
{
    return requestGenericOverTimeData(REQUEST_ATTR_OVERTIME, layer, row, start, end, count);
}

unsigned int SarvikProvider::requestEventMarkers(GraphLayer* layer, int row)
{
    return queueCustomRequest(REQUEST_EVENT_MARKERS, layer, row, 0, 0, 0);
}

unsigned int SarvikProvider::requestGlobalEventMarkers(GraphLayer* layer)
{
    return queueCustomRequest(REQUEST_GLOBAL_EVENT_MARKERS, layer, GLOBAL_ROW, 0, 0, 0);
}

unsigned int SarvikProvider::requestSlices(GraphLayer* layer, int row)
{
    return queueCustomRequest(REQUEST_SLICES, layer, row, 0, 0, 0);
}

std::vector<unsigned int> SarvikProvider::requestTransitions(GraphLayer* layer, int firstRow, int lastRow)
{
    TARQUEL_UI_THREAD_ONLY();
    std::vector<unsigned int> ids;
    const std::shared_ptr<const tarquel_1_0::DataSource> source = snapshotOf(layer); // one for the range
    // One lock for the whole range keeps the identifiers of one call consecutive.
    wxCriticalSectionLocker lock(m_queueLock);
    for (int row = firstRow; row <= lastRow; ++row) {
        tarquel_1_0::DataRequest request;
        request.layer = layer;
        request.type = REQUEST_TRANSITIONS;
        request.requestId = m_requestCounter++;
        request.row = static_cast<short>(row);
        request.dataSource = source;
        m_requestQueue.push_back(request);
        ids.push_back(request.requestId);
        // The worker takes one queued request per post.
        m_requestSemaphore->Post();
    }
    return ids;
}

int SarvikProvider::consumeOverTimeDataArray(GraphLayer* layer, std::vector<OverTimeData>& out)
{
    TARQUEL_UI_THREAD_ONLY();
    return moveUnder(m_resultsLock, m_overTimeData, layer, out);
}

int SarvikProvider::consumeDerivedOverTimeDataArray(GraphLayer* layer, std::vector<OverTimeData>& out)
{
    TARQUEL_UI_THREAD_ONLY();
    return moveUnder(m_resultsLock, m_derivedOverTimeData, layer, out);
}

int SarvikProvider::consumeAttrOverTimeDataArray(GraphLayer* layer, std::vector<OverTimeData>& out)
{
    TARQUEL_UI_THREAD_ONLY();
    return moveUnder(m_resultsLock, m_attrOverTimeData, layer, out);
}

int SarvikProvider::consumeEventMarkerDataArray(GraphLayer* layer, std::vector<EventMarkerData>& out)
{
    TARQUEL_UI_THREAD_ONLY();
    return moveUnder(m_resultsLock, m_eventMarkerData, layer, out);
}

int SarvikProvider::consumeGlobalEventMarkerDataArray(GraphLayer* layer, std::vector<EventMarkerData>& out)
{
    TARQUEL_UI_THREAD_ONLY();
    return moveUnder(m_resultsLock, m_globalEventMarkerData, layer, out);
}

int SarvikProvider::consumeSliceDataArray(GraphLayer* layer, std::vector<SliceData>& out)
{
    return moveUnder(m_resultsLock, m_sliceData, layer, out);
}

int SarvikProvider::consumeTransitionArray(GraphLayer* layer, std::vector<TransitionsData>& out)
{
    TARQUEL_UI_THREAD_ONLY();
    return moveUnder(m_resultsLock, m_transitionData, layer, out);
}

void SarvikProvider::clearOverTimeType(GraphLayer* layer, int type, std::vector<OverTimeData>& list)
{
    TARQUEL_UI_THREAD_ONLY();
    wxCriticalSectionLocker results(m_resultsLock);
    wxCriticalSectionLocker progress(m_progressLock);
    clearRequestType(layer, type);
    LayerRecords::erase(list, layer);
    // Whoever's over-time query runs is abandoned: it would be stale for the caller anyway.
    if (m_overTimeProgress)
        m_overTimeProgress->cancel();
}

void SarvikProvider::clearOverTimeRequests(GraphLayer* layer)
{
    clearOverTimeType(layer, REQUEST_OVERTIME, m_overTimeData);
}

void SarvikProvider::clearDerivedOverTimeRequests(GraphLayer* layer)
{
    clearOverTimeType(layer, REQUEST_DERIVED_OVERTIME, m_derivedOverTimeData);
}

void SarvikProvider::clearAttrOverTimeRequests(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    clearRequestType(layer, REQUEST_ATTR_OVERTIME);
    wxCriticalSectionLocker lock(m_resultsLock);
    LayerRecords::erase(m_attrOverTimeData, layer);
}

void SarvikProvider::clearEventMarkerRequests(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    clearRequestType(layer, REQUEST_EVENT_MARKERS);
    wxCriticalSectionLocker lock(m_resultsLock);
    LayerRecords::erase(m_eventMarkerData, layer);
}

void SarvikProvider::clearGlobalEventMarkerRequests(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    clearRequestType(layer, REQUEST_GLOBAL_EVENT_MARKERS);
    wxCriticalSectionLocker lock(m_resultsLock);
    LayerRecords::erase(m_globalEventMarkerData, layer);
}

void SarvikProvider::clearSliceRequests(GraphLayer* layer)
{
    clearRequestType(layer, REQUEST_SLICES);
    wxCriticalSectionLocker lock(m_resultsLock);
    LayerRecords::erase(m_sliceData, layer);
}

// --- worker thread ---

bool SarvikProvider::handleCustomRequest()
{
    const tarquel_1_0::DataRequest& request = m_currentRequest;
    if (request.type < REQUEST_OVERTIME || request.type > REQUEST_SLICES)
        return false;
    if (!request.dataSource)
        return true; // a layer without a source has nothing to ask for
    const SarvikDataSource* ds = sarvikSource(request.dataSource.get());
    const wxULongLongNative start(request.startTime);
    const wxULongLongNative end(request.endTime);

    // Files `record` in `list` and tells the layer, under the results lock so that the layer
    // finds its records when it reacts.
    const auto file = [this, &request](auto& list, auto&& record) {
        wxCriticalSectionLocker lock(m_resultsLock);
        list.push_back(std::move(record));
        generateDataReadyNotification(request.layer);
    };

    // Files every row of an over-time answer at once, so the layer draws them together.
    const auto fileRows = [this, &request](std::vector<OverTimeData>& list, std::vector<OverTimeData>& rows) {
        wxCriticalSectionLocker lock(m_resultsLock);
        for (OverTimeData& row : rows) {
            row.layer = request.layer;
            row.requestId = request.requestId;
            list.push_back(std::move(row));
        }
        generateDataReadyNotification(request.layer);
    };

    switch (request.type) {
    case REQUEST_OVERTIME:
    case REQUEST_DERIVED_OVERTIME: {
        std::vector<OverTimeData> rows;
        const bool ok = request.type == REQUEST_OVERTIME ? getOverTimeData(ds, start, end, request.count, rows)
                                                         : getDerivedOverTimeData(ds, start, end, request.count, rows);
        if (ok && !isCanceled())
            fileRows(request.type == REQUEST_OVERTIME ? m_overTimeData : m_derivedOverTimeData, rows);
        break;
    }
    case REQUEST_ATTR_OVERTIME: {
        std::vector<OverTimeData> rows;
        if (getAttrOverTimeData(ds, request.row, start, end, request.count, rows) && !isCanceled())
            fileRows(m_attrOverTimeData, rows);
        break;
    }
    case REQUEST_TRANSITIONS: {
        TransitionsData record{request.layer, request.requestId, {}};
        getTransitionData(ds, request.row, record.transitions);
        if (!isCanceled())
            file(m_transitionData, std::move(record));
        break;
    }
    case REQUEST_EVENT_MARKERS:
    case REQUEST_GLOBAL_EVENT_MARKERS: {
        const bool global = request.type == REQUEST_GLOBAL_EVENT_MARKERS;
        EventMarkerData record{request.layer, global ? GLOBAL_ROW : request.row, request.requestId, {}};
        if (global)
            getGlobalEventMarkerData(ds, record.markers);
        else
            getEventMarkerData(ds, request.row, record.markers);
        if (!isCanceled())
            file(global ? m_globalEventMarkerData : m_eventMarkerData, std::move(record));
        break;
    }
    case REQUEST_SLICES: {
        SliceData record;
        record.layer = request.layer;
        record.row = request.row;
        record.requestId = request.requestId;
        getSliceData(ds, request.row, record);
        if (!isCanceled())
            file(m_sliceData, std::move(record));
        break;
    }
    }
    return true;
}

bool SarvikProvider::runWithProgress(std::unique_ptr<ProgressObj>& slot,
                                     const std::function<void(dd_sarvik_2_2::dd_progress_impl*)>& call)
{
    ProgressObj* progress = nullptr;
    {
        wxCriticalSectionLocker lock(m_progressLock);
        slot = std::make_unique<ProgressObj>(this, m_currentRequest.layer);
        progress = slot.get();
    }
    // The slot is emptied however the call ends: a query that threw is no longer running.
    const auto done = [this, &slot] {
        wxCriticalSectionLocker lock(m_progressLock);
        const bool canceled = slot->is_canceled();
        slot.reset();
        return canceled;
    };
    // No lock while the engine works, so the UI thread can cancel at any time.
    try {
        call(progress);
    } catch (...) {
        done();
        throw; // the worker reports it
    }
    return !done();
}

std::function<bool()> SarvikProvider::cancelTest() const
{
    return [this] { return isCanceled(); };
}

bool SarvikProvider::createOverTimeQuery(const ddb_2_2::string&, const SarvikDataSource* ds,
                                         const wxULongLongNative& start, const wxULongLongNative& end, int count,
                                         dd_sarvik_2_2::dd_overtime_query& query, bool& isPercent)
{
    OverTimeReader(*m_result, m_rowByDS.get(), clock())
        .buildQuery(*ds, start.GetValue(), end.GetValue(), count, query, isPercent);
    return true;
}

bool SarvikProvider::createDerivedOverTimeQuery(const ddb_2_2::string&, const SarvikDataSource* ds,
                                                const wxULongLongNative& start, const wxULongLongNative& end,
                                                int count, dd_sarvik_2_2::dd_overtime_derived_query& query)
{
    OverTimeReader(*m_result, m_rowByDS.get(), clock())
        .buildDerivedQuery(*ds, start.GetValue(), end.GetValue(), count, query);
    return true;
}

bool SarvikProvider::getOverTimeData(const SarvikDataSource* ds, const wxULongLongNative& start,
                                     const wxULongLongNative& end, int count, std::vector<OverTimeData>& out)
{
    if (!m_result)
        return false;
    dd_sarvik_2_2::dd_overtime_query query;
    bool isPercent = false;
    createOverTimeQuery(L"dd_thread", ds, start, end, count, query, isPercent);
    generateProgressNotification(m_currentRequest.layer, 0);
    return OverTimeReader(*m_result, m_rowByDS.get(), clock())
        .read(query, isPercent, m_rowCount, count,
              [this](const auto& call) { return runWithProgress(m_overTimeProgress, call); }, cancelTest(),
              out);
}

bool SarvikProvider::getDerivedOverTimeData(const SarvikDataSource* ds, const wxULongLongNative& start,
                                            const wxULongLongNative& end, int count, std::vector<OverTimeData>& out)
{
    if (!m_result)
        return false;
    dd_sarvik_2_2::dd_overtime_derived_query query;
    createDerivedOverTimeQuery(L"dd_thread", ds, start, end, count, query);
    generateProgressNotification(m_currentRequest.layer, 0);
    return OverTimeReader(*m_result, m_rowByDS.get(), clock())
        .readDerived(query, m_rowCount, count,
                     [this](const auto& call) { return runWithProgress(m_overTimeProgress, call); }, cancelTest(),
              out);
}

bool SarvikProvider::getAttrOverTimeData(const SarvikDataSource* ds, int row, const wxULongLongNative& start,
                                         const wxULongLongNative& end, int count, std::vector<OverTimeData>& out)
{
    if (!m_result)
        return false;
    return OverTimeReader(*m_result, m_rowByDS.get(), clock())
        .readAttribute(*ds, start.GetValue(), end.GetValue(), count, row, m_rowCount, cancelTest(), out);
}

bool SarvikProvider::getEventMarkerData(const SarvikDataSource* ds, int row, std::vector<EventMarker>& out)
{
    return BandObjectReader(m_result, clock(), cancelTest()).readMarkers(*ds, row, out);
}

bool SarvikProvider::getSliceData(const SarvikDataSource* ds, int row, SliceData& out)
{
    return SliceReader(m_result, clock(), cancelTest()).read(*ds, row, out);
}

bool SarvikProvider::getGlobalEventMarkerData(const SarvikDataSource* ds, std::vector<EventMarker>& out)
{
    return BandObjectReader(m_result, clock(), cancelTest()).readGlobalMarkers(*ds, out);
}

bool SarvikProvider::getTransitionData(const SarvikDataSource* ds, int row, std::vector<Transition>& out)
{
    return BandObjectReader(m_result, clock(), cancelTest()).readTransitions(*ds, row, m_nextTransitionId, out);
}

// --- band services ---

bool SarvikProvider::hasRowBy()
{
    return m_rowByDS && !m_rowByDS->attributeTable.empty();
}

void SarvikProvider::getTimelineFilterNames(ddb_2_2::string& base, ddb_2_2::string& suffix,
                                            ddb_2_2::string& name) const
{
    FilterBandService::names(m_areaIndex, base, suffix, name);
}

bool SarvikProvider::layerSortInfoMatches(QueryPtr query, const LayerSortInfo& info,
                                          const std::vector<wxString>& layerNames)
{
    return m_rowByDS && SortOrderMemory::matches(query, m_rowByDS->query, info, layerNames);
}

bool SarvikProvider::getSortOrder(SortOrder& order, const std::vector<wxString>& layerNames, std::vector<int>& rows)
{
    if (!m_rowByDS)
        return false;
    return SortOrderMemory(m_layerSortInfoMap, m_rowByDS->query).find(order, layerNames, rows);
}

void SarvikProvider::sortOrderChanged(SortOrder order, const std::vector<int>& rows,
                                      const std::vector<wxString>& layerNames)
{
    if (m_rowByDS)
        SortOrderMemory(m_layerSortInfoMap, m_rowByDS->query).remember(order, rows, layerNames);
}

std::wstring SarvikProvider::getTooltip(const tarquel_1_0::DataSource* source, int instanceIndex)
{
    if (instanceIndex == -1)
        return L"\n";
    return InstanceTooltip::text(m_result, *sarvikSource(source), instanceIndex);
}

unsigned int SarvikProvider::requestSBFilterUpdate(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    // A computation for an older filter state is abandoned.
    wxCriticalSectionLocker lock(m_progressLock);
    if (m_filterProgress)
        m_filterProgress->cancel();
    return DataProvider::requestSBFilterUpdate(layer);
}

std::vector<wxString> SarvikProvider::takeStorageFailures()
{
    std::vector<wxString> failures;
    if (m_result) {
        for (const ddb_2_2::string& failure : m_result->get_database().get_pager().take_failures())
            failures.push_back(wxString(failure.str()));
    }
    return failures;
}

bool SarvikProvider::updateSBFilterData()
{
    if (!m_result)
        return false;
    ddb_2_2::string base;
    ddb_2_2::string suffix;
    ddb_2_2::string name;
    getTimelineFilterNames(base, suffix, name);
    FilterBandService band(*m_result, m_rowByDS.get(), name);
    if (!band.isCurrent()) {
        bool computed = false;
        if (!runWithProgress(m_filterProgress, [&](auto* progress) { computed = band.recompute(progress); }) ||
            !computed)
            return false;
        band.stamp();
    }
    std::vector<int> rows;
    getVisibleRows(rows);
    wxCriticalSectionLocker lock(m_resultsLock);
    m_visibleRows = std::move(rows);
    return true;
}

bool SarvikProvider::getSBFilterData(const tarquel_1_0::DataSource*, int row, std::vector<SBInterval>& out)
{
    if (!m_result)
        return false;
    ddb_2_2::string base;
    ddb_2_2::string suffix;
    ddb_2_2::string name;
    getTimelineFilterNames(base, suffix, name);
    return FilterBandService(*m_result, m_rowByDS.get(), name).intervals(row, clock(), cancelTest(), out);
}

bool SarvikProvider::getSMBData(const tarquel_1_0::DataSource* source, int row, std::vector<SMBInterval>& out)
{
    if (!source)
        return false;
    return BandObjectReader(m_result, clock(), cancelTest()).readStates(*sarvikSource(source), row, out);
}

int SarvikProvider::getSummaryInfo(std::vector<SummaryInfo>& out)
{
    if (!hasRowBy() || !m_result) {
        out.push_back({0, wxString(), 0, ~std::uint64_t(0)});
        return 1;
    }
    RowSummaryReader(*m_result, *m_rowByDS).summary(m_rowCount, clock(), out);
    return static_cast<int>(out.size());
}

bool SarvikProvider::getVisibleRows(std::vector<int>& rows)
{
    if (!hasRowBy() || !m_result)
        return false;
    RowSummaryReader(*m_result, *m_rowByDS).visibleRows(rows);
    return true;
}

} // namespace velmora_1_0
