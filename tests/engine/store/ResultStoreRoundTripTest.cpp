// Writing a result and reading it back gives the same records, for every kind of record and
// for the extremes of their fields; a failed write leaves the earlier result readable.

#include "HandMadeRecords.h"
#include "RecordsEquality.h"
#include "ScratchDirectory.h"

#include "store/ResultReader.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>

using namespace dd_sarvik_2_2::store;

namespace {

TEST(ResultStoreRoundTrip, everyRecordKindComesBackEqual)
{
    ScratchDirectory directory;
    const ResultRecords written = everyKind();
    const StoreStatus writeStatus = ResultWriter().write(directory.path() / "nested" / "r", written);
    ASSERT_TRUE(writeStatus.ok()) << writeStatus.message;

    ResultRecords read;
    const StoreStatus readStatus = ResultReader().read(directory.path() / "nested" / "r", read);
    ASSERT_TRUE(readStatus.ok()) << readStatus.message;
    EXPECT_TRUE(read == written);
    EXPECT_FALSE(std::filesystem::exists(directory.path() / "nested" / "r" / "result.sqlite.tmp"));
}

// Text columns are another way to write the same instances: they come back as instances of
// wide texts, a malformed UTF-8 sequence as U+FFFD, and the file is the one the instances make.
TEST(ResultStoreRoundTrip, textColumnsComeBackAsTheInstancesTheyHold)
{
    ResultRecords asInstances = everyKind();
    AttributeTableRecord& functions = asInstances.attributeTables[3];
    functions.columns.push_back({L"module", L""});
    functions.instances = {{std::wstring(L"f\u00e9\U0001F600"), std::wstring(L"")},
                           {std::wstring(L"g\uFFFD"), std::wstring(L"libc.so")}};
    ResultRecords asTexts = asInstances;
    asTexts.attributeTables[3].instances.clear();
    asTexts.attributeTables[3].texts = {{"f\xC3\xA9\xF0\x9F\x98\x80g\xFF", {7, 9}}, {"libc.so", {0, 7}}};

    ScratchDirectory directory;
    ASSERT_TRUE(ResultWriter().write(directory.path() / "instances", asInstances).ok());
    const StoreStatus writeStatus = ResultWriter().write(directory.path() / "texts", asTexts);
    ASSERT_TRUE(writeStatus.ok()) << writeStatus.message;
    ResultRecords read;
    const StoreStatus readStatus = ResultReader().read(directory.path() / "texts", read);
    ASSERT_TRUE(readStatus.ok()) << readStatus.message;
    EXPECT_TRUE(read == asInstances);

    const auto bytes = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(bytes(directory.path() / "texts" / "result.sqlite"), bytes(directory.path() / "instances" / "result.sqlite"));
}

TEST(ResultStoreRoundTrip, generatedResultSpanningManyChunksComesBackEqual)
{
    GeneratorOptions options;
    options.threads = 5;
    options.samples = 150000;   // more than two chunks of samples
    options.markers = 70000;
    options.counterValues = 70000;
    const ResultRecords written = ResultGenerator(options).generate();

    ScratchDirectory directory;
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
    // The call trees add duration markers of their own beyond options.markers.
    std::size_t treeCalls = 0;
    for (const auto& table : written.bandTables)
        if (table.name == L"marker_duration")
            for (const auto& object : table.objects)
                treeCalls += object.instanceIndex >= 6 ? 1 : 0;
    EXPECT_GT(treeCalls, 0u);
    // Attribute instances are stored in chunks too and count as items.
    std::size_t instances = 0;
    for (const auto& table : written.attributeTables)
        instances += table.instances.size();
    EXPECT_EQ(lastDone,
              instances + 150000u + 70000u + 2 * 70000u + options.transitions + options.globalMarkers + treeCalls);
    EXPECT_GE(calls, 6u);
}

TEST(ResultStoreRoundTrip, concurrentReadsOfOneResultAgree)
{
    ScratchDirectory directory;
    const ResultRecords written = everyKind();
    ASSERT_TRUE(ResultWriter().write(directory.path(), written).ok());
    ResultRecords reads[4];
    bool ok[4] = {};
    std::vector<std::thread> readers;
    for (int i = 0; i < 4; ++i)
        readers.emplace_back([&, i] { ok[i] = ResultReader().read(directory.path(), reads[i]).ok(); });
    for (std::thread& reader : readers)
        reader.join();
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(ok[i]);
        EXPECT_TRUE(reads[i] == written);
    }
}

TEST(ResultStoreRoundTrip, rewritingReplacesTheResultAndAFailedWriteKeepsTheOldOne)
{
    ScratchDirectory directory;
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
    ScratchDirectory directory;
    std::ofstream(directory.path() / "file") << "not a directory";
    const StoreStatus status = ResultWriter().write(directory.path() / "file" / "r", everyKind());
    EXPECT_EQ(status.code, StoreCode::writeFailed);
    EXPECT_EQ(status.message.rfind(L"Cannot write the result file", 0), 0u);
}

}  // namespace
