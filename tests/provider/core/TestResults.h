#pragma once
// Results for the provider tests, built in memory.
//
// smallRecords(): worked out by hand. Clock: origin 1000, 1e9 ticks per second (1 tick = 1 ns),
// duration 100. Threads "dd_thread" (name): 0 "main", 1 "io", 2 "calc", living [1000,1100),
// [1010,1090), [1020,1100) in "dd_band".
// Samples "dd_sample" over "function", as (row, start, end, count): (0, 1000, 1000, 5),
// (0, 1060, 1060, 4), (1, 1010, 1020, 10); row 2 has none.
// "marker_band" (single band over "marker", key 7): row 0 (1000,1000,v1,i0) (1010,1030,v2,i1),
// row 2 (1050,1050,v3,i0); row 1 has none.
// "wait_state" (multi band over "dd_wait"): row 1 (1005,1010,v1,i0, from row 0) and
// (1020,1030,v0,i1, from row 1 itself); row 2 (1040,1050,v1,i2, from row 0).
// "global_event" (instants, key "event_key"): 1030 v5 and 1070 v6; "global_task" (durations,
// key "task_key"): (1010,1040,v9). "counter" (name, value 7.0) with the timed series
// "counter.value": 1000 -> 1, 1030 -> 4, 1035 -> 2, 1080 -> 3.
#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/store/GeneratorOptions.h>

#include "provider/SarvikDataSource.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>

namespace provider_test {

dd_sarvik_2_2::store::ResultRecords smallRecords();

// Owns a result built from records, as the engine owns the results it opens.
class ResultHolder {
public:
    // `pageDirectory` receives the result's page files; empty keeps every page in memory.
    explicit ResultHolder(dd_sarvik_2_2::store::ResultRecords records, const ddb_2_2::string& pageDirectory = L"");
    explicit ResultHolder(const dd_sarvik_2_2::store::GeneratorOptions& options);
    // Closes the result only once the workers of providers ended by deleteSelf are gone: a
    // cancelled query may still be on its way out of it.
    ~ResultHolder();
    ResultHolder(const ResultHolder&) = delete;
    ResultHolder& operator=(const ResultHolder&) = delete;
    dd_sarvik_2_2::Result* get() const { return m_result; }

private:
    dd_sarvik_2_2::Sarvik m_engine;
    dd_sarvik_2_2::Result* m_result = nullptr;
};

// The row-by source of threads: "dd_thread" rows from the lifetime table.
velmora_1_0::SarvikDataSource threadRows();
// A source with one series over "dd_sample" that does not restrict the samples.
velmora_1_0::SarvikDataSource sampleSource(dd_sarvik_2_2::dd_overtime_query::data_src source);
// instanceTable names the band table; attributeTable the global key.
velmora_1_0::SarvikDataSource bandSource(const wxString& table, const wxString& key = wxString());

} // namespace provider_test
