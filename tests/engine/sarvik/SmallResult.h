#pragma once
// A small hand-written result whose answers are worked out by hand in the tests.
//
// Clock: origin 1000, 1e9 ticks per second, duration 100 (ticks 1000 to 1100).
// Threads ("dd_thread": name, process -> "process"): 0 "main" (process 0), 1 "io" and 2 "calc"
// (process 1), living [1000,1100), [1010,1090), [1020,1100).
// Functions ("function": name, module -> "module"): 0 "compute" (core), 1 "read" (libm),
// 2 "sqrt" (libm).
// Samples ("dd_sample" over "function"), as (row, start, end, count, function):
//   (0, 1000, 1030, 2, 0) (0, 1040, 1045, 1, 1) (0, 1050, 1050, 3, 0)
//   (1, 1010, 1060, 1, 2)
//   (2, 1020, 1025, 4, 0) (2, 1095, 1100, 1, 1)
// Band tables: "marker" (single band), "wait_state" (single multi band over "dd_wait"),
// "global_event" (global instants over "counter"), "global_span" (global durations, named like
// the attribute table "global_span" of its spans).
// Counter: "counter" (name, limit = 9.0) and the timed series "counter.value" with points
// 1000 -> 1, 1030 -> 4, 1035 -> 2, 1080 -> 3.

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/Result.h>

#include <memory>

namespace dd_sarvik_2_2 {
namespace test {

store::ResultRecords smallRecords();
std::unique_ptr<Result> smallResult();

}  // namespace test
}  // namespace dd_sarvik_2_2
