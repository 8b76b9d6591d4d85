// Writing a result and reading it back gives the same records, for every kind of record and
// for the extremes of their fields; a failed write leaves the earlier result readable.

#include "RecordsEquality.h"
#include "TemporaryDirectory.h"

#include "store/ResultReader.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>

using namespace dd_sarvik_2_2::store;

namespace {

constexpr std::uint64_t farTick = std::numeric_limits<std::uint64_t>::max() - 5;

ResultRecords everyKind()
{
    ResultRecords records;
    records.name = L"Round trip \u00e9\u4e2d\U0001F600";
    records.timeOrigin = 1ull << 63;
    records.tickFrequency = 2400000000ull;
    records.duration = 123456789;

    AttributeTableRecord stacks{L"callstack", {{L"bottom_user_cs", L""}}, {}};
    stacks.instances = {{std::wstring(L"main")}, {std::wstring(L"")}};
    AttributeTableRecord waits{L"dd_wait",
                               {{L"object", L""}, {L"signal_cs", L"callstack"},
                                {L"wait_cs", L"callstack"}, {L"weight", L""}},
                               {}};
    waits.instances = {{std::wstring(L"mutex \u00fc"), std::int64_t(1), std::int64_t(0), 0.25},
                       {std::monostate(), std::int64_t(-7), std::monostate(), -1e300},
                       {std::monostate(), std::monostate(), std::monostate(), std::monostate()}};
    AttributeTableRecord empty{L"unused", {{L"name", L""}}, {}};
    records.attributeTables = {stacks, waits, empty};

    records.lifetimes = {{L"dd_thread", 0, records.timeOrigin, farTick},
                         {L"dd_thread", 1, 5, 5}};
    records.sampleTables = {{L"dd_sample", L"function",
                             {{0, 10, 20, 1, 3}, {0, 20, 20, 0xFFFFFFFFu, 0},
                              {1, farTick, farTick + 5, 2, -1}, {-3, 0, 1, 7, 2147483647}}},
                            {L"no_samples", L"function", {}}};
    records.bandTables = {
        {L"marker_instant", BandTableKind::singleBand, L"marker", L"dd_thread", 0,
         {{0, 7, 7, -5, 1, -1}, {1, 3, 9, 2147483647, 0, -1}}},
        {L"wait_state", BandTableKind::singleMultiBand, L"dd_wait", L"dd_thread", 4,
         {{1, 100, 200, 1, 0, 0}, {0, 50, 60, 2, 1, 1}}},
        {L"global_event", BandTableKind::globalInstants, L"global_event", L"global_event", -2,
         {{-1, farTick, farTick, 0, 0, -1}}},
        {L"global_task", BandTableKind::globalDurations, L"global_task", L"global_task", 0, {}}};
    records.timedAttributes = {{L"counter", L"value",
                                {{0, 10, 1.5}, {0, 5, -0.0}, {1, farTick, 1e-308}}}};
    return records;
}

TEST(ResultStoreRoundTrip, everyRecordKindComesBackEqual)
{
    TemporaryDirectory directory;
    const ResultRecords written = everyKind();
    const StoreStatus writeStatus = ResultWriter().write(directory.path() / "nested" / "r", written);
    ASSERT_TRUE(writeStatus.ok()) << writeStatus.message;

    ResultRecords read;
    const StoreStatus readStatus = ResultReader().read(directory.path() / "nested" / "r", read);
    ASSERT_TRUE(readStatus.ok());
    EXPECT_TRUE(read == written);
    EXPECT_EQ(read.attributeTables[1].instances[1][3], StoredValue(-1e300));
    EXPECT_FALSE(std::filesystem::exists(directory.path() / "nested" / "r" / "result.sqlite.tmp"));
}

TEST(ResultStoreRoundTrip, generatedResultSpanningManyChunksComesBackEqual)
{
    GeneratorOptions options;
    options.threads = 5;
    options.samples = 150000;   // more than two chunks of samples
    options.markers = 70000;
    options.counterValues = 70000;
    const ResultRecords written = ResultGenerator(options).generate();

    TemporaryDirectory directory;
    ASSERT_TRUE(ResultWriter().write(directory.path(), written).ok());
    std::size_t lastDone = 0;
    std::size_t calls = 0;
    ResultRecords read;
    const StoreStatus status =
        ResultReader().read(directory.path(), read, [&](std::size_t done, std::size_t total) {
            EXPECT_GT(done, lastDone);
            EXPECT_LE(done, total);
            lastDone = done;
            ++calls;
            return true;
        });
    ASSERT_TRUE(status.ok());
    EXPECT_TRUE(read == written);
    EXPECT_EQ(lastDone, 150000u + 70000u + 2 * 70000u + options.transitions + options.globalMarkers);
    EXPECT_GE(calls, 6u);
}

TEST(ResultStoreRoundTrip, rewritingReplacesTheResultAndAFailedWriteKeepsTheOldOne)
{
    TemporaryDirectory directory;
    ResultRecords first = everyKind();
    ASSERT_TRUE(ResultWriter().write(directory.path(), first).ok());
    ResultRecords second;
    second.name = L"second";
    ASSERT_TRUE(ResultWriter().write(directory.path(), second).ok());

    ResultRecords read;
    ASSERT_TRUE(ResultReader().read(directory.path(), read).ok());
    EXPECT_TRUE(read == second);

    // A directory where the temporary file must go makes the write fail midway.
    std::filesystem::create_directories(directory.path() / "result.sqlite.tmp" / "blocker");
    const StoreStatus failed = ResultWriter().write(directory.path(), first);
    EXPECT_EQ(failed.code, StoreCode::writeFailed);
    EXPECT_NE(failed.message.find(L"result.sqlite"), std::wstring::npos);
    ASSERT_TRUE(ResultReader().read(directory.path(), read).ok());
    EXPECT_TRUE(read == second);
}

TEST(ResultStoreRoundTrip, writingUnderAPlainFileFailsWithAText)
{
    TemporaryDirectory directory;
    std::ofstream(directory.path() / "file") << "not a directory";
    const StoreStatus status = ResultWriter().write(directory.path() / "file" / "r", everyKind());
    EXPECT_EQ(status.code, StoreCode::writeFailed);
    EXPECT_EQ(status.message.rfind(L"Cannot write the result file", 0), 0u);
}

}  // namespace
