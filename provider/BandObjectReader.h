#pragma once
// Reads the band tables of a result into the provider's records: per-row markers, global markers
// (instants of data type 2, durations of data type 35), transitions and state-strip intervals.
// Used on the provider's worker thread; cancellation is polled before every band object, and
// what was appended before a cancellation stays in `out` (the provider then files nothing).
#include "provider/SarvikProvider.h"
#include "provider/TickClock.h"

#include <atomic>
#include <functional>
#include <vector>

namespace velmora_1_0 {

class BandObjectReader {
public:
    // `result` may be null: every read then fails.
    BandObjectReader(const dd_sarvik_2_2::Result* result, TickClock clock, std::function<bool()> isCanceled);

    // From the single-band table named by `instanceTable`.
    bool readMarkers(const SarvikDataSource& ds, int row, std::vector<SarvikProvider::EventMarker>& out) const;
    // From the global table `instanceTable`, key `attributeTable`.
    bool readGlobalMarkers(const SarvikDataSource& ds, std::vector<SarvikProvider::EventMarker>& out) const;
    // Transitions ending at `row`; each takes the next id (self-transitions are skipped).
    bool readTransitions(const SarvikDataSource& ds, int row, std::atomic<std::uint32_t>& nextId,
                         std::vector<SarvikProvider::Transition>& out) const;
    bool readStates(const SarvikDataSource& ds, int row,
                    std::vector<tarquel_1_0::DataProvider::SMBInterval>& out) const;

private:
    template <class Table, class Object>
    bool walkGlobal(const ddb_2_2::string& table, const ddb_2_2::string& key,
                    std::vector<SarvikProvider::EventMarker>& out, std::uint64_t Object::*start,
                    std::uint64_t Object::*end) const;
    // Visits the objects of one row; `out` is where the visit puts them (made room for at once).
    template <class Table, class Record, class Visit>
    bool walkRow(const SarvikDataSource& ds, int row, std::vector<Record>& out, Visit&& visit) const;

    const dd_sarvik_2_2::Result* m_result;
    TickClock m_clock;
    std::function<bool()> m_isCanceled;
};

} // namespace velmora_1_0
