#pragma once
// Builds a synthetic result of a given size, the same one for the same options and seed, for
// the viewer's sample data, for tests and for benchmarks.
//
// The result holds these tables (the query catalog refers to them by these names):
//   attribute tables  "dd_thread"    name, process, pid, tid
//                     "function"     name, module
//                     "callstack"    bottom_user_cs (a function name), depth
//                     "dd_wait"      object, signal_cs -> "callstack", wait_cs -> "callstack"
//                     "marker"       name, category, args, stack (marker names, then the
//                                    function names of the call trees)
//                     "global_event" name
//                     "global_task"  name
//                     "counter"      name, unit
//   row lifetimes     "dd_band"      one lifetime per "dd_thread" instance
//   samples           "dd_sample"    over "function": time, count and instance-count data
//   band tables       "marker_instant", "marker_duration"   single band over "marker";
//                     "marker_duration" also holds a few nested call trees per row
//                     "wait_state"   single multi band over "dd_wait"; sourceRow signals
//                     "global_event" global instants (data type 2), key "global_event"
//                     "global_task"  global durations (data type 35), key "global_task"
//   timed values      "counter"."value" for every counter instance
//
// Invariants: samples and band objects are sorted by (row, start); samples and waits of a row
// never overlap; every per-row object lies inside its row's lifetime; a wait never names its
// own row. Waits need two threads; with one thread none are made.

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/StoreStatus.h>
#include <engine_export.h>

#include <filesystem>

namespace dd_sarvik_2_2 {
namespace store {

struct ResultRecords;

class SARVIK_API ResultGenerator {
public:
    // Raised whenever the generator writes something else for the same options, so that results
    // cached from an older generator are not taken for current ones.
    static constexpr int REVISION = 5;

    explicit ResultGenerator(const GeneratorOptions& options);

    ResultRecords generate() const;
    /// Generates and writes the result directory (see ResultWriter).
    StoreStatus writeTo(const std::filesystem::path& directory) const;

private:
    GeneratorOptions m_options;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
