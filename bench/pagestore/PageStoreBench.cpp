// Save and load of an over-time bucket of one million items (64 rows of 15625 running
// totals) in each archive kind, through real page files on tmpfs and on disk, against the
// baseline: the same bytes written with fwrite into one file and read back with fread. Both
// sides run in every iteration, in processor time of the whole process; `ratio_to_raw` is the
// median of the iterations' (raw write + raw read) / (save + load), the page store's speed as a
// share of raw file I/O. The run's time is the save and load's CPU time; `save_cpu_ms` and
// `load_cpu_ms` split it.

#include "pagestore/OverTimeBucket.h"
#include "support/PairedCpuTimes.h"
#include "support/TempDirectory.h"

#include <ddb_2_2/pageable_database.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int rows = 64;
constexpr int itemsPerRow = 15625;

dd_sarvik_2_2::dd_overtime_data::key rowKey(int row)
{
    dd_sarvik_2_2::dd_overtime_data::key key;
    key.rows[0].push_back(ddb_2_2::variant(std::int32_t(row)));
    key.first_number = static_cast<std::uint64_t>(row);
    key.first_name = L"dd_thread";
    key.second_name = L"time";
    return key;
}

void fill(velmora_1_0::OverTimeBucket& bucket)
{
    std::vector<dd_sarvik_2_2::dd_overtime_data> items(itemsPerRow);
    for (int row = 0; row < rows; ++row) {
        std::uint64_t total = 0;
        for (int i = 0; i < itemsPerRow; ++i)
            items[i] = dd_sarvik_2_2::dd_overtime_data(total += 1000 + (i * 7919) % 5000, std::uint32_t(i));
        bucket.append(rowKey(row), items);
    }
}

// range(1): 0 = tmpfs, 1 = disk (the system's temporary directory, on the root file system here).
std::filesystem::path placeOf(const benchmark::State& state)
{
    return state.range(1) == 0 ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
}

// The concatenated bytes of the files in `folder`.
std::vector<char> filesBytes(const std::filesystem::path& folder)
{
    std::vector<char> bytes;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        bytes.insert(bytes.end(), std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return bytes;
}

bool rawWrite(const std::string& path, const std::vector<char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file && std::fclose(file) == 0 && written;
}

bool rawRead(const std::string& path, std::vector<char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    const bool read = file && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file)
        std::fclose(file);
    benchmark::DoNotOptimize(bytes.data());
    return read;
}

// Every item of a bucket loaded from `path`, read as a layer would (which reads every page file).
bool loadAndRead(const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    velmora_1_0::OverTimeBucket bucket;
    if (!bucket.load(path, db))
        return false;
    std::uint64_t sum = 0;
    for (const auto& item : bucket)
        sum += item.get_value();
    benchmark::DoNotOptimize(sum);
    return true;
}

// Arguments: the archive type of the database (0 native, 1 portable), then the place (0 tmpfs,
// 1 disk). The raw side writes the bytes of the files the save wrote.
void BM_PageStoreRoundTrip(benchmark::State& state)
{
    const bench_support::TempDirectory dir("velmora-bench-pagestore", placeOf(state));
    ddb_2_2::pageable_database db(dir.path().wstring(), static_cast<int>(state.range(0)));
    const ddb_2_2::string path = ddb_2_2::string(dir.path().wstring()) + ddb_2_2::string(L"//overtime.bucket");
    velmora_1_0::OverTimeBucket bucket(db);
    fill(bucket);
    if (!bucket.save(path, db)) {
        state.SkipWithError("save failed");
        return;
    }
    std::vector<char> bytes = filesBytes(dir.path());
    const bench_support::TempDirectory rawDir("velmora-bench-raw", placeOf(state));
    const std::string rawPath = (rawDir.path() / "raw").string();

    bench_support::PairedCpuTimes times;
    std::vector<double> saveTimes;
    std::vector<double> loadTimes;
    for (auto _ : state) {
        const double saveStart = bench_support::PairedCpuTimes::processSeconds();
        bucket.set_fresh(true);   // writes every page file again
        const bool saved = bucket.save(path, db);
        const double loadStart = bench_support::PairedCpuTimes::processSeconds();
        const bool loaded = loadAndRead(path, db);
        const double rawStart = bench_support::PairedCpuTimes::processSeconds();
        const bool raw = rawWrite(rawPath, bytes) && rawRead(rawPath, bytes);
        const double rawEnd = bench_support::PairedCpuTimes::processSeconds();
        if (!saved || !loaded || !raw) {
            state.SkipWithError("a save, load, write or read failed");
            break;
        }
        times.add(rawStart - saveStart, rawEnd - rawStart);
        saveTimes.push_back(loadStart - saveStart);
        loadTimes.push_back(rawStart - loadStart);
        state.SetIterationTime(rawStart - saveStart);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size() * 2));
    state.counters["save_load_cpu_ms"] = times.medianMeasured() * 1e3;
    state.counters["raw_cpu_ms"] = times.medianBaseline() * 1e3;
    state.counters["save_cpu_ms"] = bench_support::PairedCpuTimes::median(saveTimes) * 1e3;
    state.counters["load_cpu_ms"] = bench_support::PairedCpuTimes::median(loadTimes) * 1e3;
    const double ratio = times.medianRatio();
    state.counters["ratio_to_raw"] = ratio > 0 ? 1.0 / ratio : 0.0;
}

}  // namespace

BENCHMARK(BM_PageStoreRoundTrip)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(21);
