#pragma once
// A small result written by hand that holds every kind of record, with values at the edges of
// their fields (ticks near 2^64, non-ASCII text, absent values, empty tables).

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <cstdint>
#include <limits>

namespace dd_sarvik_2_2 {
namespace store {

inline constexpr std::uint64_t farTick = std::numeric_limits<std::uint64_t>::max() - 5;

inline ResultRecords everyKind()
{
    ResultRecords records;
    records.name = L"Round trip \u00e9\u4e2d\U0001F600";
    records.timeOrigin = 1ull << 63;
    records.tickFrequency = 2400000000ull;
    records.duration = 123456789;

    AttributeTableRecord threads{L"dd_thread", {{L"name", L""}, {L"tid", L""}}, {}};
    threads.instances = {{std::wstring(L"main"), std::int64_t(1)},
                         {std::wstring(L"worker \u00fc"), std::int64_t(-2)}};
    AttributeTableRecord stacks{L"callstack", {{L"bottom_user_cs", L""}}, {}};
    stacks.instances = {{std::wstring(L"main")}, {std::wstring(L"")}};
    AttributeTableRecord waits{L"dd_wait",
                               {{L"object", L""}, {L"signal_cs", L"callstack"},
                                {L"wait_cs", L"callstack"}, {L"weight", L""}},
                               {}};
    waits.instances = {{std::wstring(L"mutex"), std::int64_t(1), std::int64_t(0), 0.25},
                       {std::monostate(), std::int64_t(0), std::monostate(), -1e300},
                       {std::monostate(), std::monostate(), std::monostate(), std::monostate()}};
    AttributeTableRecord functions{L"function", {{L"name", L""}}, {}};
    functions.instances = {{std::wstring(L"f")}, {std::wstring(L"g")}};
    AttributeTableRecord empty{L"unused", {{L"name", L""}}, {}};
    records.attributeTables = {threads, stacks, waits, functions, empty};

    records.lifetimes = {{L"dd_thread", 0, records.timeOrigin, farTick},
                         {L"dd_thread", 1, 5, 5}};
    records.sampleTables = {{L"dd_sample", L"function",
                             {{0, 10, 20, 1, 1}, {0, 20, 20, 0xFFFFFFFFu, 0},
                              {1, 7, 9, 0, 0}, {1, farTick, farTick + 5, 2, 1}}},
                            {L"no_samples", L"function", {}}};
    records.bandTables = {
        {L"marker_instant", BandTableKind::singleBand, L"function", L"dd_thread", 0,
         {{0, 7, 7, -5, 1, -1}, {1, 3, 9, 2147483647, 0, -1}}},
        {L"wait_state", BandTableKind::singleMultiBand, L"dd_wait", L"dd_thread", 4,
         {{0, 50, 60, 2, 1, 1}, {1, 100, 200, 1, 2, 0}}},
        {L"global_event", BandTableKind::globalInstants, L"unused", L"global_event", -2, {}},
        {L"global_task", BandTableKind::globalDurations, L"callstack", L"global_task", 0,
         {{-1, 3, 4, 0, 0, -1}, {-1, farTick, farTick, 0, 1, -1}}}};
    records.timedAttributes = {{L"function", L"value",
                                {{0, 5, -0.0}, {0, 10, 1.5}, {1, farTick, 1e-308}}}};
    return records;
}

}  // namespace store
}  // namespace dd_sarvik_2_2
