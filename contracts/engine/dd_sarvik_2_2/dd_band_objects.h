#pragma once
// The objects band tables hold, as the readers of each table kind see them.
//
// dd_band_record is the stored form shared by all four band table kinds; each table converts it
// to its own object type when iterated. Ticks are the result's engine ticks.

#include <dd_sarvik_2_2/store/ResultRecords.h>
#include <ddb_2_2/index.h>
#include <ddb_2_2/string.h>

#include <cstdint>

namespace dd_sarvik_2_2 {

/// The band table kinds, and the object type name each reports through get_table_type.
enum class dd_band_kind : int {
    single_band = 1,        // "dd_single_band_obj": per-row instants and durations
    single_multi_band = 2,  // "dd_single_multi_band_obj": per-row states naming a source row
    global_instants = 3,    // "dd_global_band_obj": no row, data type 2
    global_durations = 4,   // "dd_global_band_obj2": no row, data type 35
};

/// The record as the store loads it, so that a loaded table is moved in rather than copied
/// (band tables hold millions of markers and transitions): row -1 files it under every row.
using dd_band_record = store::BandObjectRecord;

/// An instant (start == end) or duration of one instance: what per-row band objects and
/// global durations both are.
struct dd_band_interval {
    ddb_2_2::index instance_index;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::int32_t value = 0;

    static dd_band_interval from(const dd_band_record& r)
    {
        return {ddb_2_2::index(r.instanceIndex), r.start, r.end, r.value};
    }
};

/// A per-row instant or duration.
struct dd_single_band_obj : dd_band_interval {
    static dd_single_band_obj from(const dd_band_record& r) { return {dd_band_interval::from(r)}; }
};

/// A per-row state [start, end) of the row it is filed under, entered because `row_index`
/// signalled (a transition from row_index at start to the filed row at end).
struct dd_single_multi_band_obj {
    ddb_2_2::index row_index;        // the source row
    ddb_2_2::index instance_index;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::int32_t value = 0;

    static dd_single_multi_band_obj from(const dd_band_record& r)
    {
        return {ddb_2_2::index(r.sourceRow), ddb_2_2::index(r.instanceIndex), r.start, r.end, r.value};
    }
};

/// A global instant.
struct dd_global_band_obj {
    ddb_2_2::index instance_index;
    std::uint64_t time = 0;
    std::int32_t value = 0;

    static dd_global_band_obj from(const dd_band_record& r)
    {
        return {ddb_2_2::index(r.instanceIndex), r.start, r.value};
    }
};

/// A global duration.
struct dd_global_band_obj2 : dd_band_interval {
    static dd_global_band_obj2 from(const dd_band_record& r) { return {dd_band_interval::from(r)}; }
};

/// The lifetime of one instance of an attribute table: one timeline row of the band table
/// "dd_band".
struct dd_band_obj {
    ddb_2_2::string table;
    ddb_2_2::index index;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

}  // namespace dd_sarvik_2_2
