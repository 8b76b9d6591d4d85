// Save and load of an over-time bucket of one million items (64 rows of 15625 running
// totals) in each archive kind, through real page files in a temporary directory. Throughput
// counts the bytes of the files written or read, over wall-clock time (file I/O included).

#include "pagestore/OverTimeBucket.h"

#include <ddb_2_2/pageable_database.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

constexpr int rows = 64;
constexpr int itemsPerRow = 15625;

class BenchDir {
public:
    BenchDir()
    {
        std::random_device seed;
        m_path = std::filesystem::temp_directory_path() / ("pagestore-bench-" + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~BenchDir() { std::filesystem::remove_all(m_path); }
    std::wstring wide() const { return m_path.wstring(); }
    std::uint64_t bytes() const
    {
        std::uint64_t total = 0;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            total += entry.file_size();
        return total;
    }

private:
    std::filesystem::path m_path;
};

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

void BM_BucketSave(benchmark::State& state)
{
    BenchDir dir;
    ddb_2_2::pageable_database db(dir.wide(), static_cast<int>(state.range(0)));
    velmora_1_0::OverTimeBucket bucket(db);
    fill(bucket);
    const ddb_2_2::string path = ddb_2_2::string(dir.wide()) + ddb_2_2::string(L"//overtime.bucket");
    for (auto _ : state) {
        bucket.set_fresh(true);   // writes every page file again
        if (!bucket.save(path, db))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * dir.bytes()));
    state.counters["items_per_second"] = benchmark::Counter(double(rows) * itemsPerRow * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_BucketLoad(benchmark::State& state)
{
    BenchDir dir;
    ddb_2_2::pageable_database db(dir.wide(), static_cast<int>(state.range(0)));
    const ddb_2_2::string path = ddb_2_2::string(dir.wide()) + ddb_2_2::string(L"//overtime.bucket");
    {
        velmora_1_0::OverTimeBucket bucket(db);
        fill(bucket);
        bucket.save(path, db);
    }
    for (auto _ : state) {
        velmora_1_0::OverTimeBucket bucket;
        if (!bucket.load(path, db))
            state.SkipWithError("load failed");
        std::uint64_t sum = 0;
        for (const auto& item : bucket)   // reads every page file
            sum += item.get_value();
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * dir.bytes()));
    state.counters["items_per_second"] = benchmark::Counter(double(rows) * itemsPerRow * state.iterations(), benchmark::Counter::kIsRate);
}

}  // namespace

// Argument: the archive type of the database (0 native, 1 portable).
BENCHMARK(BM_BucketSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BucketLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
