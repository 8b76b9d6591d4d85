// Import speed of perf script text: a recording-like text of N events (CPU samples with call
// stacks, scheduler switches and wake-ups of 16 threads on 4 CPUs) is generated into a scratch
// file at run time, then read into result records (parse and build), and imported end to end
// (also writing the result store). Reports events per second of wall time, the process's CPU
// time, peak memory and the machine's load.
#include "perf/PerfScriptRecordReader.h"
#include "TraceImporter.h"

#include "support/ImportRuns.h"
#include "support/PeakMemory.h"
#include "support/SystemLoad.h"
#include "support/TempDirectory.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int THREADS = 16;
constexpr int CPUS = 4;

const char* const FRAMES[] = {
    "\t    7f3a12c4 deflate_slow+0x1c4 (/usr/lib/x86_64-linux-gnu/libz.so.1.2.13)\n",
    "\t    7f3a1300 deflate+0x2a0 (/usr/lib/x86_64-linux-gnu/libz.so.1.2.13)\n",
    "\t      41a2c0 compress_block(Block&, std::vector<unsigned char>&)+0x40 (/usr/bin/packer)\n",
    "\t      4188f0 Worker::run()+0x110 (/usr/bin/packer)\n",
    "\t    7f3a0e9f start_thread+0x2f7 (/usr/lib/x86_64-linux-gnu/libc.so.6)\n",
    "\tffffffff82248208 __schedule+0x628 ([kernel.kallsyms])\n",
    "\tffffffff82248b73 schedule+0x23 ([kernel.kallsyms])\n",
    "\tffffffff8139ea11 futex_wait_queue+0x61 ([kernel.kallsyms])\n",
    "\t    7f3a0ea010 __futex_abstimed_wait_common+0x8a (/usr/lib/x86_64-linux-gnu/libc.so.6)\n",
    "\t    7f3a0eb000 pthread_cond_wait@@GLIBC_2.3.2 (/usr/lib/x86_64-linux-gnu/libc.so.6)\n",
};

// Writes `events` events in time order: per CPU a running thread that is sampled, now and then
// switched away from (sleeping) for a waiting thread, and wake-ups of sleeping threads.
void writeRecording(const fs::path& file, std::int64_t events)
{
    std::FILE* out = std::fopen(file.c_str(), "w");
    int running[CPUS];
    for (int cpu = 0; cpu < CPUS; ++cpu)
        running[cpu] = cpu;
    int nextWaiting = CPUS;
    std::uint64_t time = 1000000000000u;
    char line[512];
    for (std::int64_t i = 0; i < events; ++i) {
        const int cpu = static_cast<int>(i % CPUS);
        const int tid = 2001 + running[cpu];
        time += 2500 + static_cast<std::uint64_t>(i % 7) * 100;
        const char* comm = running[cpu] == 0 ? "packer" : "packer-worker";
        const int head = std::snprintf(line, sizeof line, "%16s %5d/%-5d [%03d] %llu.%09llu: ", comm, 2001, tid, cpu,
                                       static_cast<unsigned long long>(time / 1000000000u),
                                       static_cast<unsigned long long>(time % 1000000000u));
        std::fwrite(line, 1, static_cast<std::size_t>(head), out);
        const int kind = static_cast<int>(i % 10);
        if (kind == 7) {
            const int next = nextWaiting;
            nextWaiting = running[cpu];
            running[cpu] = next;
            std::fprintf(out,
                         "%10d sched:sched_switch: prev_comm=%s prev_pid=%d prev_prio=120 prev_state=S ==> "
                         "next_comm=packer-worker next_pid=%d next_prio=120\n",
                         1, comm, tid, 2001 + next);
            for (int frame = 5; frame < 10; ++frame)
                std::fputs(FRAMES[frame], out);
        } else if (kind == 8) {
            std::fprintf(out, "%10d sched:sched_wakeup: comm=packer-worker pid=%d prio=120 target_cpu=%03d\n", 1,
                         2001 + nextWaiting, cpu);
            std::fputs(FRAMES[5], out);
        } else {
            std::fprintf(out, "%10d cpu-clock: \n", 250000);
            for (int frame = static_cast<int>(i % 3); frame < 5; ++frame)
                std::fputs(FRAMES[frame], out);
        }
        std::fputc('\n', out);
    }
    std::fclose(out);
}

class Recording {
public:
    explicit Recording(std::int64_t events)
        : m_directory("bench_import_perf")
        , m_file(m_directory.path() / "recording.txt")
    {
        writeRecording(m_file, events);
    }
    const fs::path& file() const { return m_file; }
    const bench_support::TempDirectory& directory() const { return m_directory; }

private:
    bench_support::TempDirectory m_directory;
    fs::path m_file;
};

// Events per second of wall time; the CPU column is the whole process's CPU time.
void report(benchmark::State& state, std::int64_t events, const fs::path& file, double peak)
{
    state.counters["events_per_s"] =
        benchmark::Counter(static_cast<double>(events), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["text_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["load"] = bench_support::systemLoad();
}

// Parse and build: the text into result records.
void BM_PerfScriptToRecords(benchmark::State& state)
{
    const std::int64_t events = state.range(0);
    const Recording recording(events);
    bench_support::PeakMemory peak;
    for (auto _ : state) {
        dd_sarvik_2_2::store::ResultRecords records;
        std::vector<std::string> notes;
        std::string error;
        if (!velmora_import::PerfScriptRecordReader().read(recording.file(), {}, records, notes, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(records.bandTables.size());
    }
    report(state, events, recording.file(), peak.bytesSinceReset());
}
BENCHMARK(BM_PerfScriptToRecords)->Apply(bench_support::importRuns);

// End to end: detection, records, and the result store written.
void BM_PerfScriptImport(benchmark::State& state)
{
    const std::int64_t events = state.range(0);
    const Recording recording(events);
    bench_support::PeakMemory peak;
    int run = 0;
    for (auto _ : state) {
        std::string error;
        const fs::path result = recording.directory().path() / ("result" + std::to_string(run++));
        if (!velmora_import::TraceImporter().importTo(recording.file(), result, error))
            state.SkipWithError(error.c_str());
    }
    report(state, events, recording.file(), peak.bytesSinceReset());
}
BENCHMARK(BM_PerfScriptImport)->Apply(bench_support::importRuns);

} // namespace
