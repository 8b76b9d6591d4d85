// Save and load of an over-time bucket of one million items (64 rows of 15625 running
// totals) in each archive kind, through real page files in a temporary directory. Throughput
// counts the bytes of the files written or read, over wall-clock time (file I/O included).

#include "pagestore/OverTimeBucket.h"
#include "support/TempDirectory.h"

#include <ddb_2_2/pageable_database.h>

#include <benchmark/benchmark.h>


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

// A database of the benchmark's archive type (range(0)) in a scratch folder, and where the bucket
// is saved in it.
struct BucketStore {
    explicit BucketStore(const benchmark::State& state)
        : dir("velmora-bench-pagestore"), db(dir.path().wstring(), static_cast<int>(state.range(0))),
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

}  // namespace

// Argument: the archive type of the database (0 native, 1 portable).
BENCHMARK(BM_BucketSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BucketLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
