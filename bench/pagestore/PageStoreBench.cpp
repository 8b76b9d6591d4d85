// Save and load of an over-time bucket of one million items (64 rows of 15625 running
// totals) in each archive kind, through real page files on tmpfs and on disk, beside the
// baseline: the same bytes written with fwrite into one file and read back with fread.
// Throughput counts the bytes of the files written or read, over wall-clock time (file I/O
// included).

#include "pagestore/OverTimeBucket.h"
#include "support/TempDirectory.h"

#include <ddb_2_2/pageable_database.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// A database of the benchmark's archive type (range(0)) in a scratch folder of its place, and
// where the bucket is saved in it.
struct BucketStore {
    explicit BucketStore(const benchmark::State& state)
        : dir("velmora-bench-pagestore", placeOf(state)), db(dir.path().wstring(), static_cast<int>(state.range(0))),
          path(ddb_2_2::string(dir.path().wstring()) + ddb_2_2::string(L"//overtime.bucket"))
    {
    }

    // Throughput over the files in the folder, written or read once per iteration.
    void count(benchmark::State& state) const
    {
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * dir.fileBytes()));
        state.counters["items_per_second"] =
            benchmark::Counter(double(rows) * itemsPerRow * state.iterations(), benchmark::Counter::kIsRate);
    }

    const bench_support::TempDirectory dir;
    ddb_2_2::pageable_database db;
    const ddb_2_2::string path;
};

void BM_BucketSave(benchmark::State& state)
{
    BucketStore store(state);
    velmora_1_0::OverTimeBucket bucket(store.db);
    fill(bucket);
    for (auto _ : state) {
        bucket.set_fresh(true);   // writes every page file again
        if (!bucket.save(store.path, store.db))
            state.SkipWithError("save failed");
    }
    store.count(state);
}

void BM_BucketLoad(benchmark::State& state)
{
    BucketStore store(state);
    {
        velmora_1_0::OverTimeBucket bucket(store.db);
        fill(bucket);
        bucket.save(store.path, store.db);
    }
    for (auto _ : state) {
        velmora_1_0::OverTimeBucket bucket;
        if (!bucket.load(store.path, store.db))
            state.SkipWithError("load failed");
        std::uint64_t sum = 0;
        for (const auto& item : bucket)   // reads every page file
            sum += item.get_value();
        benchmark::DoNotOptimize(sum);
    }
    store.count(state);
}

// The bytes of the files a save of the bucket writes, end to end.
std::vector<char> savedBytes(const benchmark::State& state)
{
    BucketStore store(state);
    velmora_1_0::OverTimeBucket bucket(store.db);
    fill(bucket);
    bucket.save(store.path, store.db);
    std::vector<char> bytes;
    for (const auto& entry : std::filesystem::directory_iterator(store.dir.path())) {
        std::ifstream file(entry.path(), std::ios::binary);
        bytes.insert(bytes.end(), std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return bytes;
}

void BM_RawWrite(benchmark::State& state)
{
    const std::vector<char> bytes = savedBytes(state);
    const bench_support::TempDirectory dir("velmora-bench-raw", placeOf(state));
    const std::string path = (dir.path() / "raw").string();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
            state.SkipWithError("fwrite failed");
        if (file)
            std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_RawRead(benchmark::State& state)
{
    std::vector<char> bytes = savedBytes(state);
    const bench_support::TempDirectory dir("velmora-bench-raw", placeOf(state));
    const std::string path = (dir.path() / "raw").string();
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
            state.SkipWithError("fread failed");
        if (file)
            std::fclose(file);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

// Arguments: the archive type of the database (0 native, 1 portable), then the place (0 tmpfs,
// 1 disk). The raw baselines write the bytes of the native or portable files.
#define PAGESTORE_BENCHMARK(name) \
    BENCHMARK(name)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime()
PAGESTORE_BENCHMARK(BM_BucketSave);
PAGESTORE_BENCHMARK(BM_BucketLoad);
PAGESTORE_BENCHMARK(BM_RawWrite);
PAGESTORE_BENCHMARK(BM_RawRead);
