// JSON trace import end to end (read, build the records, write the result) on generated traces
// of 1 and 5 million events: wall time, the process's CPU time, events per second of wall time,
// peak memory above the start and the machine's load.
// The trace mixes what real files hold: nested complete events with args, begin/end pairs,
// instants, counters, async slices and flows, over 16 threads in 4 processes.
#include "TraceImporter.h"
#include "support/ImportRuns.h"
#include "support/PeakMemory.h"
#include "support/SystemLoad.h"
#include "support/TempDirectory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// Writes `events` events (about 100 bytes each) and returns the file.
fs::path generatedTrace(const fs::path& directory, std::int64_t events)
{
    const fs::path file = directory / ("generated_" + std::to_string(events) + ".json");
    if (fs::exists(file))
        return file;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "w"), &std::fclose);
    std::fputs("{\"displayTimeUnit\": \"ms\", \"traceEvents\": [\n", out.get());
    for (int pid = 1; pid <= 4; ++pid)
        std::fprintf(out.get(), "{\"ph\": \"M\", \"pid\": %d, \"tid\": 0, \"name\": \"process_name\", \"args\": {\"name\": \"worker-%d\"}},\n",
                     pid, pid);
    double ts = 0;
    for (std::int64_t written = 0; written < events;) {
        const int pid = 1 + static_cast<int>(written / 7 % 4);
        const int tid = pid * 100 + static_cast<int>(written / 3 % 4);
        // One group of 8 events: a slice with two children, a begin/end pair, an instant, a
        // counter and an async begin or flow end.
        std::fprintf(out.get(),
                     "{\"ph\": \"X\", \"pid\": %d, \"tid\": %d, \"ts\": %.3f, \"dur\": 90.5, \"name\": \"frame\", \"cat\": \"app\", \"args\": {\"n\": %lld}},\n"
                     "{\"ph\": \"X\", \"pid\": %d, \"tid\": %d, \"ts\": %.3f, \"dur\": 40, \"name\": \"layout\", \"cat\": \"app\"},\n"
                     "{\"ph\": \"X\", \"pid\": %d, \"tid\": %d, \"ts\": %.3f, \"dur\": 30, \"name\": \"paint\", \"cat\": \"gfx\"},\n"
                     "{\"ph\": \"B\", \"pid\": %d, \"tid\": %d, \"ts\": %.3f, \"name\": \"io\"},\n"
                     "{\"ph\": \"E\", \"pid\": %d, \"tid\": %d, \"ts\": %.3f},\n"
                     "{\"ph\": \"i\", \"pid\": %d, \"tid\": %d, \"ts\": %.3f, \"name\": \"vsync\", \"s\": \"t\"},\n"
                     "{\"ph\": \"C\", \"pid\": %d, \"ts\": %.3f, \"name\": \"heap\", \"args\": {\"used\": %lld}},\n"
                     "{\"ph\": \"%c\", \"pid\": %d, \"tid\": %d, \"ts\": %.3f, \"name\": \"req\", \"cat\": \"net\", \"id\": %lld},\n",
                     pid, tid, ts, static_cast<long long>(written), pid, tid, ts + 5, pid, tid, ts + 50, pid, tid,
                     ts + 91, pid, tid, ts + 99, pid, tid, ts + 95, pid, ts + 96,
                     static_cast<long long>(written % 1000), written / 8 % 2 ? 'f' : 's', pid, tid + 1, ts + 97,
                     static_cast<long long>(written / 16));
        written += 8;
        ts += 100.25;
    }
    std::fputs("{\"ph\": \"i\", \"pid\": 1, \"tid\": 100, \"ts\": 0, \"name\": \"end\"}]}\n", out.get());
    return file;
}

void importJson(benchmark::State& state)
{
    static bench_support::TempDirectory scratch("velmora_import_bench");
    const std::int64_t events = state.range(0);
    const fs::path trace = generatedTrace(scratch.path(), events);
    bench_support::PeakMemory peak;
    int run = 0;
    for (auto _ : state) {
        const fs::path output = scratch.path() / ("result_" + std::to_string(events) + "_" + std::to_string(run++));
        std::string error;
        if (!velmora_import::TraceImporter().importTo(trace, output, error))
            state.SkipWithError(error.c_str());
        state.PauseTiming();
        fs::remove_all(output);
        state.ResumeTiming();
    }
    state.counters["events_per_s"] =
        benchmark::Counter(static_cast<double>(events), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = peak.bytesSinceReset() / (1024.0 * 1024.0);
    state.counters["file_MB"] = static_cast<double>(fs::file_size(trace)) / (1024.0 * 1024.0);
    state.counters["load"] = bench_support::systemLoad();
}

BENCHMARK(importJson)->Apply(bench_support::importRuns);

} // namespace
