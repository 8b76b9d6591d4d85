#pragma once
// The base of every data provider: a worker thread (a detached wxThread) that takes requests from
// a queue one at a time and hands finished data back to the user-interface thread.
//
// How it is called. The UI thread queues requests (queueRequest, requestSBFilterUpdate,
// requestSMBData, or a derived provider's own request operations) and gets an identifier back at
// once. The worker thread (Entry) waits on m_requestSemaphore, takes the oldest request under
// m_queueLock, copies it into m_currentRequest and handles it: the base's own types below 4 here,
// every other type through handleCustomRequest. Finished data is filed under m_resultsLock and
// announced with generateDataReadyNotification; queries report generateProgressNotification.
//
// Notifications. Both are posted as wxThreadEvents (EVT_PROVIDER_DATA_READY,
// EVT_PROVIDER_PROGRESS, payload ProviderNotice) to the sink that setNotificationSink installed,
// so they arrive on the UI thread. Nothing is posted without a sink, and deleteSelf removes the
// sink before it returns. The receiver must treat ProviderNotice::provider and ::layer as keys only:
// it looks both up among the providers and layers it still holds and drops the notice when either
// is gone (a provider ended by deleteSelf, a layer removed from the timeline).
//
// Failures. A request that throws files nothing; the worker reports the cause with an
// EVT_PROVIDER_FAILURE notice (the text in the event's string) and takes the next request. Each
// distinct cause is reported once per provider, so a query that fails for every row is one
// message, not one per row.
//
// Cancellation. clearRequestType drops queued requests of a layer and raises the cancel flag when
// the running request is one of them; the worker polls isCanceled between steps and files nothing
// for a cancelled request.
//
// Ending. A provider is never deleted directly: deleteSelf cancels the running request, drops the
// queue and the sink, and wakes the worker, which returns from Entry; the thread then deletes the
// object. A provider whose thread never ran is deleted by deleteSelf itself. deleteSelf returns at
// once in both cases and never waits for a query; only the program's end waits (bounded) for
// workers still on their way out. A host that closes a result its ended providers read calls
// waitForEndingWorkers first: a cancelled query may still be on its way out of the result.
//
// Locks, always taken in this order and held only around short list operations:
// m_resultsLock, then a derived provider's own locks, then m_queueLock; the sink lock is innermost.
#include <chart_export.h>
#include <tarquel_1_0/DataRequest.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include <wx/colour.h>
#include <wx/string.h>
#include <wx/thread.h>

class wxEvtHandler;

namespace tarquel_1_0 {

class DataSource;
class GraphLayer;

class TARQUEL_API DataProvider : public wxThread {
public:
    // Row of records that belong to no row (truncated to 16 bits in records: -1).
    static constexpr int INVALID_ROW = -1;

    // Types below FIRST_CUSTOM_REQUEST are handled by the base itself.
    enum RequestType {
        REQUEST_SB_FILTER_UPDATE = 1, // updateSBFilterData, then the filter band of every row
        REQUEST_SMB_DATA = 2,         // getSMBData for one row, filed for consumeSMBData
        FIRST_CUSTOM_REQUEST = 4
    };

    enum SortOrder {
        SORT_NONE = 0, // data order
        SORT_TIME_ASCENDING = 1,
        SORT_TIME_DESCENDING = 2,
        SORT_LABEL_ASCENDING = 3,
        SORT_LABEL_DESCENDING = 4
    };

    // One line per data row: its name and lifetime (nanoseconds).
    struct SummaryInfo {
        short row = 0;
        wxString name;
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };

    // A stretch of the filter band: where the current filter selects data.
    struct SBInterval {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };

    // A stretch of a multi-band state strip; value 0 is waiting, any other value running.
    struct SMBInterval {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        std::uint32_t value = 0;
        std::int32_t instanceIndex = -1;
    };

    // A remembered row order and the layers that were shown when it was chosen.
    struct LayerSortInfo {
        SortOrder order = SORT_NONE;
        std::vector<int> rows;
        std::set<wxString> layerNames;
    };

    // The answer to one REQUEST_SMB_DATA.
    struct SMBRowData {
        GraphLayer* layer = nullptr;
        unsigned int requestId = 0;
        int row = 0;
        std::vector<SMBInterval> intervals;
    };

    DataProvider();
    DataProvider(const DataProvider&) = delete;
    DataProvider& operator=(const DataProvider&) = delete;

    // Waits until every provider ended by deleteSelf so far is gone; false when some are still
    // there after `timeoutMs`.
    static bool waitForEndingWorkers(int timeoutMs);

    // Virtual operations in slot order (wxThread's OnExit and TestDestroy come first).
protected:
    ~DataProvider() override;
    ExitCode Entry() override;

public:
    virtual void deleteSelf();
    // The base keeps the path and has nothing to open: false.
    virtual bool openDataFile(const wxString& path);
    // Base: one line per data row, named by its number, spanning [0, m_duration].
    virtual int getSummaryInfo(std::vector<SummaryInfo>& out);
    // Queues the base's filter-band update (its progress and data-ready go to `layer`, which may
    // be null: the notice then concerns the provider as a whole).
    virtual unsigned int requestSBFilterUpdate(GraphLayer* layer);
    // Drops every queued request and every filed base result; a running request still finishes.
    virtual void clear();
    virtual bool hasRowBy();
    virtual wxColour getSMBRunningColor() const;
    // The colour of a pixel column that holds both states.
    virtual wxColour getSMBMixedColor() const;
    virtual wxColour getSMBWaitingColor() const;
    virtual void setSMBRunningColor(const wxColour& colour);
    virtual void setSMBWaitingColor(const wxColour& colour);
    // Extra tooltip text for an instance; base: none.
    virtual std::wstring getTooltip(const DataSource* source, int instanceIndex);
    // Remembering a row order is a derived provider's business; the base forgets it.
    virtual void sortOrderChanged(SortOrder order, const std::vector<int>& rows,
                                  const std::vector<wxString>& layerNames);
    virtual bool getSortOrder(SortOrder& order, const std::vector<wxString>& layerNames, std::vector<int>& rows);

protected:
    // Worker thread. Base: no state strips (false).
    virtual bool getSMBData(const DataSource* source, int row, std::vector<SMBInterval>& out);
    // Worker thread. Base: no filter band (false).
    virtual bool getSBFilterData(const DataSource* source, int row, std::vector<SBInterval>& out);
    // Rows that pass the current filter, ascending; false when the provider cannot tell (all shown).
    virtual bool getVisibleRows(std::vector<int>& rows);
    // Worker thread, for every request type the base does not handle; false for an unknown type.
    virtual bool handleCustomRequest();
    // Worker thread: recompute the filter display and m_visibleRows (base: from getVisibleRows).
    virtual bool updateSBFilterData();
    // Worker thread, after every request: failures that did not end it (a page file that could
    // not be read back), each then reported once. Base: none.
    virtual std::vector<wxString> takeStorageFailures();

public:
    // Non-virtual services.

    // Where notifications go (the timeline); null stops them. Safe to call while the worker posts.
    void setNotificationSink(wxEvtHandler* sink);

    // Queues a request of any type for `layer`, stamping layer, type, identifier and the layer's
    // data source; returns the identifier. The other fields come from `request`.
    unsigned int queueRequest(GraphLayer* layer, int type, const DataRequest& request);
    unsigned int requestSMBData(GraphLayer* layer, int row);
    // SMB answers of `layer`, moved to the end of `out` in completion order; returns out.size().
    int consumeSMBData(GraphLayer* layer, std::vector<SMBRowData>& out);

    // The request's own copy of `layer`'s data source (see DataRequest); null without one.
    static std::shared_ptr<const DataSource> snapshotOf(const GraphLayer* layer);

    // Worker side: true once the running request was cancelled or the provider is ending.
    bool isCanceled() const;
    // Drops queued requests of `layer` (all layers when null) and `type`; cancels the running one
    // when it matches. Takes m_queueLock only.
    void clearRequestType(GraphLayer* layer, int type);
    // Drops everything of a layer that leaves the timeline: queued requests of every type, base
    // results, and the running request (cancelled).
    void forgetLayer(GraphLayer* layer);

    // While held (the calls nest) the worker starts no request; the one running goes on. A
    // window asking all its layers at once holds its provider: otherwise a layer's fresh request
    // could start and be cancelled by the next layer's clearing, and that layer would wait forever.
    void holdRequests();
    void releaseRequests();

    void generateDataReadyNotification(GraphLayer* layer);
    void generateProgressNotification(GraphLayer* layer, int percent);

    // UI side, read under m_resultsLock.
    // The filter band of a data row from the last completed filter-band update.
    void getFilterBand(int dataRow, std::vector<SBInterval>& out) const;
    // False while every row is shown (no filter-band update has completed, or no row-by rows).
    bool getVisibleRowFilter(std::vector<int>& rows);

    // Unique in the process: tells this provider's notices from those of an ended provider whose
    // address a newer one took.
    std::uint64_t getSerial() const { return m_serial; }

    wxString getDataFile() const { return m_dataFile; }
    std::uint64_t getDuration() const { return m_duration; }
    short getRowCount() const { return m_rowCount; }

protected:
    wxString m_dataFile;
    std::uint64_t m_duration = 0;
    short m_rowCount = 0;
    std::deque<DataRequest> m_requestQueue; // guarded by m_queueLock; a row set queues one request per row
    wxCriticalSection m_queueLock;
    unsigned int m_requestCounter = 0;       // guarded by m_queueLock
    std::unique_ptr<wxSemaphore> m_requestSemaphore; // one post per queued request
    // Written by the worker under m_queueLock; read unlocked only by the worker.
    DataRequest m_currentRequest;
    mutable wxCriticalSection m_resultsLock;
    std::vector<int> m_visibleRows;          // guarded by m_resultsLock

private:
    void handleRequest();
    // Runs handleRequest; a request that throws is reported (reportFailure) and files nothing.
    void handleGuarded();
    void reportFailure(const wxString& cause);
    void handleFilterUpdate();
    void handleSMBRequest();
    void post(int eventType, GraphLayer* layer, int percent);

    wxColour m_smbRunningColor;
    wxColour m_smbWaitingColor;
    std::atomic<bool> m_canceled{false};
    std::atomic<bool> m_stopping{false};
    bool m_busy = false;                      // a request is being handled; m_queueLock
    int m_holds = 0;                          // m_queueLock
    int m_heldPosts = 0;                      // semaphore posts taken while held; m_queueLock
    bool m_visibleRowsKnown = false;          // m_resultsLock
    std::map<int, std::vector<SBInterval>> m_filterBands; // m_resultsLock
    std::vector<SMBRowData> m_smbResults;     // m_resultsLock
    wxCriticalSection m_sinkLock;
    wxEvtHandler* m_sink = nullptr;           // m_sinkLock
    std::map<GraphLayer*, int> m_lastPercent; // m_sinkLock: repeated percentages are not posted
    std::set<wxString> m_reportedFailures;    // m_sinkLock: causes already reported
    bool m_ending = false; // deleteSelf left the worker to end and delete this object
    const std::uint64_t m_serial;
};

} // namespace tarquel_1_0
