#include "PageStoreFixtures.h"
#include "TempDir.h"

#include "pagestore/OverTimeBucket.h"

#include <gtest/gtest.h>

#include <thread>

using velmora_1_0::OverTimeBucket;

namespace {

constexpr int rows = 64;
constexpr int buckets = 2000;

// Fills the way the engine does: rows in parallel, one batch append per row.
void fillRows(OverTimeBucket& bucket)
{
    std::vector<std::thread> workers;
    for (int t = 0; t < 2; ++t)
        workers.emplace_back([&bucket, t] {
            for (int row = t; row < rows; row += 2)
                bucket.append(makeKey(row), makeItems(row, buckets));
        });
    for (auto& worker : workers)
        worker.join();
}

std::vector<OverTimeItem> readRow(const OverTimeBucket& bucket, int row)
{
    std::vector<OverTimeItem> items;
    auto it = bucket.find(makeKey(row));
    for (; !it.at_end(); ++it)
        items.push_back(*it);
    EXPECT_FALSE(it.failed());
    return items;
}

}  // namespace

class OverTimePaging : public ::testing::TestWithParam<int> {};

// The pager swaps pages while a reader walks the rows and another thread saves the bucket;
// every row reads back as written, during the save and after loading the saved bucket.
TEST_P(OverTimePaging, ReadsAndSavesUnderASmallBudget)
{
    TempDir dir;
    // Each row's batch makes one page; the budget holds 4 of the 64.
    constexpr std::uint64_t budget = 4 * buckets * sizeof(OverTimeItem);
    TestDatabase db(dir.wide(), GetParam(), budget);
    OverTimeBucket paged(db);
    fillRows(paged);
    EXPECT_GE(db.get_pager().get_page_out_count(), rows - 4u);
    EXPECT_LE(db.get_pager().get_resident_bytes(), budget);

    const ddb_2_2::string path = ddb_2_2::string(dir.wide()) + ddb_2_2::string(L"//overtime.bucket");
    std::thread saver([&] { EXPECT_TRUE(paged.save(path, db)); });
    for (int row = 0; row < rows; ++row)
        ASSERT_EQ(readRow(paged, row), makeItems(row, buckets)) << row;
    saver.join();
    EXPECT_GE(db.get_pager().get_page_in_count(), rows - 4u);

    OverTimeBucket loaded;
    ASSERT_TRUE(loaded.load(path, db));
    for (int row = 0; row < rows; row += 9)
        EXPECT_EQ(readRow(loaded, row), makeItems(row, buckets));
}

INSTANTIATE_TEST_SUITE_P(ArchiveKinds, OverTimePaging,
                         ::testing::Values(NativeArchives::archiveType, PortableArchives::archiveType));
