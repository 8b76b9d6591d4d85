#pragma once
// The timeline control's data provider for one area of the pane, or for the ruler, on top of
// one engine result.
//
// How it is called. The pane gives an area's provider its row-by data source (setRowByDS) and
// the result (setResult, which starts the worker thread) and hands it to the timeline. Layers
// call request... on the UI thread and get an identifier at once; the worker thread runs the
// engine query (handleCustomRequest dispatches to the get...Data operations), files plain records
// in the type's results list under m_resultsLock and posts data-ready for the layer; the layer
// then takes its records with consume...Array. clear...Requests forgets a layer's requests. The
// provider is ended only through deleteSelf.
//
// Locks: m_resultsLock (base) before m_progressLock; the engine query runs with no lock held, so
// the UI thread can always cancel it through the progress object.
//
// The worker-side operations keep their fixed names here but delegate to small readers (over-time,
// markers, transitions, band services), each in its own file.
#include "provider/TickClock.h"
#include <VelmoraExport.h>

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/dd_manipulator_manager.h>
#include <ddb_2_2/string.h>
#include <mirrow2/sptr_t.h>
#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/TimeMask.h>

#include <wx/gdicmn.h>
#include <wx/longlong.h>
#include <wx/string.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace dd_sarvik_2_2 {
class Result;
class dd_progress_impl;
class dd_overtime_query;
class dd_overtime_derived_query;
} // namespace dd_sarvik_2_2

namespace sarvikhelpers_1_0 {
class IQuery;
}

namespace velmora_1_0 {

class ProgressObj;
class SarvikDataSource;

class VELMORA_API SarvikProvider : public tarquel_1_0::DataProvider {
public:
    using GraphLayer = tarquel_1_0::GraphLayer;
    using QueryPtr = mirrow2::sptr_t<const sarvikhelpers_1_0::IQuery>;

    // Custom request types carried in DataRequest::type.
    enum CustomRequest {
        REQUEST_OVERTIME = 4,
        REQUEST_DERIVED_OVERTIME = 5,
        REQUEST_TRANSITIONS = 6,
        REQUEST_ATTR_OVERTIME = 7,
        REQUEST_EVENT_MARKERS = 8,
        REQUEST_GLOBAL_EVENT_MARKERS = 9,
        REQUEST_SLICES = 10
    };

    // One row's graph of one request: one value per pixel column, bucket 0 at the start time.
    struct OverTimeData {
        GraphLayer* layer = nullptr;
        short row = 0;
        unsigned int requestId = 0;
        double maxValue = 0.0; // scale maximum; shared by all rows of an over-time request
        std::vector<double> values;
        bool isPercent = false;
        // A row with a series of its own (one counter per row): scaled to its own range
        // minValue..maxValue, named by the row, in `unit` where the data names one ("bytes").
        bool ownSeries = false;
        double minValue = 0.0;
        std::wstring unit;
    };

    // The row of a marker on the ruler: INVALID_ROW in the 16 bits rows are carried in.
    static constexpr short GLOBAL_ROW = static_cast<short>(INVALID_ROW);

    // An instant (startTime == endTime) or a duration marker; times in nanoseconds.
    struct EventMarker {
        short row = 0; // -1 (INVALID_ROW truncated) for global markers
        std::uint64_t startTime = 0;
        std::uint64_t endTime = 0;
        std::int32_t value = 0;
        std::int32_t instanceIndex = 0;
        wxRect rect; // where the layer last drew it; width 0 when it was not drawn
    };

    struct EventMarkerData {
        GraphLayer* layer = nullptr;
        short row = 0;
        unsigned int requestId = 0;
        std::vector<EventMarker> markers;
    };

    // A named duration of a row placed in its nesting lane; times in nanoseconds.
    struct Slice {
        std::uint64_t startTime = 0;
        std::uint64_t endTime = 0;
        std::int32_t instanceIndex = -1;
        std::int32_t value = 0;
        std::uint64_t selfTime = 0; // duration less the time of its direct children
        int depth = 0;   // 0 for a slice no other slice of the row encloses
        int parent = -1; // index of the enclosing slice in the same answer
        int name = -1;   // index into SliceData::names (and categories)
    };

    // One row's slices sorted by start, longer first at equal starts (a parent before its
    // children); names and categories are the distinct ones of the row.
    struct SliceData {
        GraphLayer* layer = nullptr;
        short row = 0;
        unsigned int requestId = 0;
        std::vector<Slice> slices;
        std::vector<std::wstring> names;
        std::vector<std::wstring> categories;
        int depth = 0; // lanes the row needs: 1 + the deepest slice's depth, 0 without slices
    };

    // A line from (startTime, fromRow) to (endTime, toRow); id is a provider-wide serial.
    struct Transition {
        std::uint32_t id = 0;
        std::uint64_t startTime = 0;
        std::uint64_t endTime = 0;
        short fromRow = 0;
        short toRow = 0;
        std::int32_t value = 0;
        std::int32_t instanceIndex = 0;
    };

    struct TransitionsData {
        GraphLayer* layer = nullptr;
        unsigned int requestId = 0;
        std::vector<Transition> transitions;
    };

    static constexpr std::uint32_t INVALID_TRANSITION_ID = 0xFFFFFFFFu;

    // Remembered row orders, one per row-by query, shared by every provider of the process.
    // UI thread only.
    static std::map<QueryPtr, tarquel_1_0::DataProvider::LayerSortInfo> m_layerSortInfoMap;

    SarvikProvider();

    // Ruler: one row.
    void setResult(int areaIndex, dd_sarvik_2_2::Result* result);
    // Area: rows from the row-by table; `rowBy` must be a SarvikDataSource (std::bad_cast else).
    void setResult(int areaIndex, dd_sarvik_2_2::Result* result, const tarquel_1_0::DataSource& rowBy);
    dd_sarvik_2_2::Result* getResult() const { return m_result; }
    // Rows carry signed 16-bit numbers: rows of the result past the last of those are not shown.
    int rowsInResult() const { return m_rowsInResult; }

    // Takes ownership.
    void setRowByDS(SarvikDataSource* rowBy);
    SarvikDataSource* getRowByDS() const { return m_rowByDS.get(); }

    // The time the result's global filter keeps, in nanoseconds; keeps everything without a
    // time filter or a result. UI thread.
    tarquel_1_0::TimeMask timeMask() const;

    // Ticks of the result to nanoseconds from its time origin, and back.
    wxULongLongNative nsecs(std::uint64_t ticks) const;
    unsigned long long tsc(const wxULongLongNative& nanoseconds) const;

    // Virtual operations in slot order.
protected:
    ~SarvikProvider() override;

public:
    void deleteSelf() override;
    bool openDataFile(const wxString& path) override;
    int getSummaryInfo(std::vector<SummaryInfo>& out) override;
    unsigned int requestSBFilterUpdate(GraphLayer* layer) override;
    void clear() override;
    bool hasRowBy() override;
    std::wstring getTooltip(const tarquel_1_0::DataSource* source, int instanceIndex) override;
    void sortOrderChanged(SortOrder order, const std::vector<int>& rows,
                          const std::vector<wxString>& layerNames) override;
    bool getSortOrder(SortOrder& order, const std::vector<wxString>& layerNames, std::vector<int>& rows) override;

protected:
    bool getSMBData(const tarquel_1_0::DataSource* source, int row, std::vector<SMBInterval>& out) override;
    bool getSBFilterData(const tarquel_1_0::DataSource* source, int row, std::vector<SBInterval>& out) override;
    bool getVisibleRows(std::vector<int>& rows) override;
    bool handleCustomRequest() override;
    bool updateSBFilterData() override;
    std::vector<wxString> takeStorageFailures() override;

public:
    // Over-time data: every row of the area per request (the row argument is carried only).
    unsigned int requestOverTimeData(GraphLayer* layer, int row, const wxULongLongNative& start,
                                     const wxULongLongNative& end, int count);
    unsigned int requestDerivedOverTimeData(GraphLayer* layer, int row, const wxULongLongNative& start,
                                            const wxULongLongNative& end, int count);
    // Attribute over-time data: the given row only.
    unsigned int requestAttrOverTimeData(GraphLayer* layer, int row, const wxULongLongNative& start,
                                         const wxULongLongNative& end, int count);
    // Each consume moves the layer's finished records to the front of `out`, in completion
    // order, and returns out.size().
    int consumeOverTimeDataArray(GraphLayer* layer, std::vector<OverTimeData>& out);
    int consumeDerivedOverTimeDataArray(GraphLayer* layer, std::vector<OverTimeData>& out);
    int consumeAttrOverTimeDataArray(GraphLayer* layer, std::vector<OverTimeData>& out);
    // Over-time and derived clears also cancel whichever over-time query is running.
    void clearOverTimeRequests(GraphLayer* layer);
    void clearDerivedOverTimeRequests(GraphLayer* layer);
    void clearAttrOverTimeRequests(GraphLayer* layer);

    unsigned int requestEventMarkers(GraphLayer* layer, int row);
    unsigned int requestGlobalEventMarkers(GraphLayer* layer);
    int consumeEventMarkerDataArray(GraphLayer* layer, std::vector<EventMarkerData>& out);
    int consumeGlobalEventMarkerDataArray(GraphLayer* layer, std::vector<EventMarkerData>& out);
    void clearEventMarkerRequests(GraphLayer* layer);
    void clearGlobalEventMarkerRequests(GraphLayer* layer);

    unsigned int requestSlices(GraphLayer* layer, int row);
    int consumeSliceDataArray(GraphLayer* layer, std::vector<SliceData>& out);
    void clearSliceRequests(GraphLayer* layer);

    // One request per row from firstRow to lastRow, identifiers in row order.
    std::vector<unsigned int> requestTransitions(GraphLayer* layer, int firstRow, int lastRow);
    int consumeTransitionArray(GraphLayer* layer, std::vector<TransitionsData>& out);

    // "timeline_filter", "_area_<index>" and the two joined: the area's filter display.
    void getTimelineFilterNames(ddb_2_2::string& base, ddb_2_2::string& suffix, ddb_2_2::string& name) const;

protected:
    unsigned int requestGenericOverTimeData(int type, GraphLayer* layer, int row, const wxULongLongNative& start,
                                            const wxULongLongNative& end, int count);

    // Worker thread.
    bool createOverTimeQuery(const ddb_2_2::string& table, const SarvikDataSource* ds,
                             const wxULongLongNative& start, const wxULongLongNative& end, int count,
                             dd_sarvik_2_2::dd_overtime_query& query, bool& isPercent);
    bool getOverTimeData(const SarvikDataSource* ds, const wxULongLongNative& start, const wxULongLongNative& end,
                         int count, std::vector<OverTimeData>& out);
    bool createDerivedOverTimeQuery(const ddb_2_2::string& table, const SarvikDataSource* ds,
                                    const wxULongLongNative& start, const wxULongLongNative& end, int count,
                                    dd_sarvik_2_2::dd_overtime_derived_query& query);
    bool getDerivedOverTimeData(const SarvikDataSource* ds, const wxULongLongNative& start,
                                const wxULongLongNative& end, int count, std::vector<OverTimeData>& out);
    bool getAttrOverTimeData(const SarvikDataSource* ds, int row, const wxULongLongNative& start,
                             const wxULongLongNative& end, int count, std::vector<OverTimeData>& out);
    bool getEventMarkerData(const SarvikDataSource* ds, int row, std::vector<EventMarker>& out);
    bool getGlobalEventMarkerData(const SarvikDataSource* ds, std::vector<EventMarker>& out);
    bool getTransitionData(const SarvikDataSource* ds, int row, std::vector<Transition>& out);
    bool getSliceData(const SarvikDataSource* ds, int row, SliceData& out);

    bool layerSortInfoMatches(QueryPtr query, const LayerSortInfo& info, const std::vector<wxString>& layerNames);

private:
    void applyResult(int areaIndex, dd_sarvik_2_2::Result* result);
    unsigned int queueCustomRequest(int type, GraphLayer* layer, int row, std::uint64_t start, std::uint64_t end,
                                    int count);
    void clearOverTimeType(GraphLayer* layer, int type, std::vector<OverTimeData>& list);
    // Runs an engine call with a new progress object in `slot`, reachable for cancelling while
    // it runs; false when it was cancelled.
    bool runWithProgress(std::unique_ptr<ProgressObj>& slot,
                         const std::function<void(dd_sarvik_2_2::dd_progress_impl*)>& call);
    TickClock clock() const;
    std::function<bool()> cancelTest() const;
    void setRowsInResult(std::size_t rows);

protected:
    wxString m_resultDir;
    dd_sarvik_2_2::Sarvik m_engine;
    dd_sarvik_2_2::Result* m_result = nullptr; // not owned
    int m_areaIndex = -1;
    int m_rowsInResult = 0;
    dd_sarvik_2_2::dd_manipulator_manager m_manipulators;
    // Written by the worker while it reads transitions and reset by clear() on the UI thread.
    std::atomic<std::uint32_t> m_nextTransitionId{0};
    std::vector<OverTimeData> m_overTimeData;          // m_resultsLock
    std::vector<OverTimeData> m_derivedOverTimeData;   // m_resultsLock
    std::vector<TransitionsData> m_transitionData;     // m_resultsLock
    std::vector<OverTimeData> m_attrOverTimeData;      // m_resultsLock
    std::vector<EventMarkerData> m_eventMarkerData;    // m_resultsLock
    std::vector<EventMarkerData> m_globalEventMarkerData; // m_resultsLock
    std::vector<SliceData> m_sliceData;                   // m_resultsLock
    std::unique_ptr<ProgressObj> m_overTimeProgress; // m_progressLock; set while an over-time query runs
    std::unique_ptr<ProgressObj> m_filterProgress;   // m_progressLock; set while a filter band is computed
    wxCriticalSection m_progressLock;
    std::unique_ptr<SarvikDataSource> m_rowByDS;
};

} // namespace velmora_1_0
