#include "TempDir.h"
#include "TestPagedItems.h"

#include <ddb_2_2/pageable_database.h>

#include <gtest/gtest.h>

#include <map>
#include <thread>

namespace {

constexpr std::uint64_t pageBytes = 512 * sizeof(TestItem);

std::vector<TestItem> readKey(const PlainBucket& bucket, int key)
{
    std::vector<TestItem> items;
    auto it = bucket.find(key);
    for (; !it.at_end(); ++it)
        items.push_back(*it);
    EXPECT_FALSE(it.failed());
    return items;
}

struct PagedDatabase {
    TempDir dir;
    ddb_2_2::pageable_database db{dir.wide(), ddb_2_2::pageable_database::native_binary_archive, 2 * pageBytes};
    ddb_2_2::global_pager& pager() { return db.get_pager(); }
};

}  // namespace

TEST(EnginePager, TinyBudgetWritesPagesOutAndReadsThemBackEqual)
{
    PagedDatabase p;
    {
        TestBucket bucket;
        bucket.attach(p.db);
        for (int key = 0; key < 4; ++key)
            bucket.append(key, makeItems(key, 1500));   // 3 pages per key

        EXPECT_GE(p.pager().get_page_out_count(), 10u);
        EXPECT_LE(p.pager().get_resident_bytes(), 2 * pageBytes);
        EXPECT_GE(p.dir.fileCount(), 10);
        for (int key = 3; key >= 0; --key)
            EXPECT_EQ(readKey(bucket, key), makeItems(key, 1500)) << key;
        EXPECT_GT(p.pager().get_page_in_count(), 0u);
        EXPECT_LE(p.pager().get_resident_bytes(), 2 * pageBytes);
    }
    // The pager's own page files go with the bucket.
    EXPECT_EQ(p.dir.fileCount(), 0);
    EXPECT_EQ(p.pager().get_resident_bytes(), 0u);
}

TEST(EnginePager, UnchangedPagesAreNotWrittenTwice)
{
    PagedDatabase p;
    TestBucket bucket;
    bucket.attach(p.db);
    bucket.append(0, makeItems(0, 512 * 4));
    p.pager().set_memory_budget(0);
    std::map<std::filesystem::path, std::filesystem::file_time_type> written;
    for (const auto& entry : std::filesystem::directory_iterator(p.dir.path()))
        written[entry.path()] = entry.last_write_time();
    ASSERT_EQ(written.size(), 4u);

    p.pager().set_memory_budget(pageBytes);
    EXPECT_EQ(readKey(bucket, 0), makeItems(0, 512 * 4));   // in and out again, unmodified
    EXPECT_GE(p.pager().get_page_in_count(), 4u);
    for (const auto& entry : std::filesystem::directory_iterator(p.dir.path()))
        EXPECT_EQ(entry.last_write_time(), written.at(entry.path()));
}

TEST(EnginePager, LockedPagesStayInMemory)
{
    PagedDatabase p;
    p.pager().set_memory_budget(pageBytes);
    TestBucket bucket;
    bucket.attach(p.db);
    bucket.append(0, makeItems(0, 10));
    auto held = bucket.find(0);   // holds the page of key 0 locked
    for (int key = 1; key < 6; ++key)
        bucket.append(key, makeItems(key, 512));
    {
        TestBucket::mutex_type::scoped_lock lock(bucket.get_mutex(), false);
        EXPECT_TRUE(bucket.get_page_map().at(0)[0]->has_items());
        EXPECT_FALSE(bucket.get_page_map().at(1)[0]->has_items());
    }
    EXPECT_EQ(held->id, 0u);
    auto copy = held;   // a copy locks the page again
    held = TestBucket::const_iterator();
    EXPECT_EQ(copy->id, 0u);
    copy = TestBucket::const_iterator();
    EXPECT_LE(p.pager().get_resident_bytes(), pageBytes);
}

TEST(EnginePager, ContainersWithoutSerializerStayInMemory)
{
    PagedDatabase p;
    PlainBucket bucket;
    bucket.attach(p.db);
    for (int key = 0; key < 5; ++key)
        bucket.append(key, makeItems(key, 512));
    EXPECT_EQ(p.pager().get_page_out_count(), 0u);
    EXPECT_EQ(p.pager().get_resident_bytes(), 5 * pageBytes);
    EXPECT_EQ(readKey(bucket, 4), makeItems(4, 512));
    EXPECT_EQ(p.dir.fileCount(), 0);
}

TEST(EnginePager, LoweringTheBudgetPagesOutAtOnce)
{
    PagedDatabase p;
    p.pager().set_memory_budget(ddb_2_2::global_pager::unlimited);
    TestBucket bucket;
    bucket.attach(p.db);
    bucket.append(7, makeItems(7, 2048));
    EXPECT_EQ(p.pager().get_page_out_count(), 0u);
    p.pager().set_memory_budget(0);
    EXPECT_EQ(p.pager().get_resident_bytes(), 0u);
    EXPECT_EQ(p.dir.fileCount(), 4);
    EXPECT_EQ(readKey(bucket, 7), makeItems(7, 2048));
}

TEST(EnginePager, APageThatCannotBeReadBackEndsTheWalk)
{
    PagedDatabase p;
    TestBucket bucket;
    bucket.attach(p.db);
    bucket.append(0, makeItems(0, 512 * 4));
    for (const auto& entry : std::filesystem::directory_iterator(p.dir.path()))
        std::filesystem::remove(entry.path());
    auto it = bucket.find(0);
    std::size_t seen = 0;
    for (; !it.at_end(); ++it)
        ++seen;
    EXPECT_TRUE(it.failed());
    EXPECT_LT(seen, 512u * 4);
    // Appending after a lost page still works: the items go to a new page.
    bucket.append(0, makeItems(0, 3));
}

TEST(EnginePager, ReadersAndWritersRaceUnderATinyBudget)
{
    PagedDatabase p;
    TestBucket bucket;
    bucket.attach(p.db);
    for (int key = 0; key < 3; ++key)
        bucket.append(key, makeItems(key, 1200));
    std::thread writer([&] {
        for (int key = 10; key < 30; ++key)
            bucket.append(key, makeItems(key, 700));
    });
    auto reader = [&](int key) {
        for (int round = 0; round < 10; ++round)
            ASSERT_EQ(readKey(bucket, key), makeItems(key, 1200));
    };
    std::thread readerA(reader, 0);
    std::thread readerB(reader, 1);
    reader(2);
    writer.join();
    readerA.join();
    readerB.join();
    for (int key = 10; key < 30; ++key)
        EXPECT_EQ(readKey(bucket, key), makeItems(key, 700));
}
