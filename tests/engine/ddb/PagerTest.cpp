#include "TempDir.h"
#include "TestPagedItems.h"

#include <ddb_2_2/pageable_database.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <thread>

namespace {

constexpr std::uint64_t pageBytes = 512 * sizeof(TestItem);

// Every page these tests read must load.
std::vector<TestItem> readIntactKey(const PlainBucket& bucket, int key)
{
    bool failed = false;
    std::vector<TestItem> items = readKey(bucket, key, &failed);
    EXPECT_FALSE(failed) << "key " << key;
    return items;
}

// A bucket with a page serializer on a database in a scratch folder whose pager holds two pages.
class EnginePager : public ::testing::Test {
protected:
    EnginePager() { m_bucket.attach(m_db); }

    // Appends `count` items under each key in [first, last).
    void appendKeys(int first, int last, int count)
    {
        for (int key = first; key < last; ++key)
            m_bucket.append(key, makeItems(key, count));
    }
    ddb_2_2::global_pager& pager() { return m_db.get_pager(); }

    TempDir m_dir;
    ddb_2_2::pageable_database m_db{m_dir.wide(), ddb_2_2::pageable_database::native_binary_archive, 2 * pageBytes};
    TestBucket m_bucket;
};

}  // namespace

TEST_F(EnginePager, TinyBudgetWritesPagesOutAndReadsThemBackEqual)
{
    {
        TestBucket bucket;
        bucket.attach(m_db);
        for (int key = 0; key < 4; ++key)
            bucket.append(key, makeItems(key, 1500));   // 3 pages per key

        EXPECT_GE(pager().get_page_out_count(), 10u);
        EXPECT_LE(pager().get_resident_bytes(), 2 * pageBytes);
        EXPECT_GE(m_dir.fileCount(), 10);
        for (int key = 3; key >= 0; --key)
            EXPECT_EQ(readIntactKey(bucket, key), makeItems(key, 1500)) << key;
        EXPECT_GT(pager().get_page_in_count(), 0u);
        EXPECT_LE(pager().get_resident_bytes(), 2 * pageBytes);
    }
    // The pager's own page files go with the bucket.
    EXPECT_EQ(m_dir.fileCount(), 0);
    EXPECT_EQ(pager().get_resident_bytes(), 0u);
}

TEST_F(EnginePager, UnchangedPagesAreNotWrittenTwice)
{
    appendKeys(0, 1, 512 * 4);
    pager().set_memory_budget(0);
    std::map<std::filesystem::path, std::filesystem::file_time_type> written;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
        written[entry.path()] = entry.last_write_time();
    ASSERT_EQ(written.size(), 4u);

    pager().set_memory_budget(pageBytes);
    EXPECT_EQ(readIntactKey(m_bucket, 0), makeItems(0, 512 * 4));   // in and out again, unmodified
    EXPECT_GE(pager().get_page_in_count(), 4u);
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
        EXPECT_EQ(entry.last_write_time(), written.at(entry.path()));
}

TEST_F(EnginePager, LockedPagesStayInMemory)
{
    pager().set_memory_budget(pageBytes);
    appendKeys(0, 1, 10);
    auto held = m_bucket.find(0);   // holds the page of key 0 locked
    appendKeys(1, 6, 512);
    {
        TestBucket::mutex_type::scoped_lock lock(m_bucket.get_mutex(), false);
        EXPECT_TRUE(m_bucket.get_page_map().at(0)[0]->has_items());
        EXPECT_FALSE(m_bucket.get_page_map().at(1)[0]->has_items());
    }
    EXPECT_EQ(held->id, 0u);
    auto copy = held;   // a copy locks the page again
    held = TestBucket::const_iterator();
    EXPECT_EQ(copy->id, 0u);
    copy = TestBucket::const_iterator();
    EXPECT_LE(pager().get_resident_bytes(), pageBytes);
}

TEST_F(EnginePager, ContainersWithoutSerializerStayInMemory)
{
    PlainBucket bucket;
    bucket.attach(m_db);
    for (int key = 0; key < 5; ++key)
        bucket.append(key, makeItems(key, 512));
    EXPECT_EQ(pager().get_page_out_count(), 0u);
    EXPECT_EQ(pager().get_resident_bytes(), 5 * pageBytes);
    EXPECT_EQ(readIntactKey(bucket, 4), makeItems(4, 512));
    EXPECT_EQ(m_dir.fileCount(), 0);
}

TEST_F(EnginePager, LoweringTheBudgetPagesOutAtOnce)
{
    pager().set_memory_budget(ddb_2_2::global_pager::unlimited);
    appendKeys(7, 8, 2048);
    EXPECT_EQ(pager().get_page_out_count(), 0u);
    pager().set_memory_budget(0);
    EXPECT_EQ(pager().get_resident_bytes(), 0u);
    EXPECT_EQ(m_dir.fileCount(), 4);
    EXPECT_EQ(readIntactKey(m_bucket, 7), makeItems(7, 2048));
}

TEST_F(EnginePager, APageThatCannotBeReadBackEndsTheWalk)
{
    appendKeys(0, 1, 512 * 4);
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
        std::filesystem::remove(entry.path());
    auto it = m_bucket.find(0);
    std::size_t seen = 0;
    for (; !it.at_end(); ++it)
        ++seen;
    EXPECT_TRUE(it.failed());
    EXPECT_LT(seen, 512u * 4);
    // Appending after a lost page still works: the items go to a new page.
    appendKeys(0, 1, 3);
}

TEST_F(EnginePager, ReadersAndWritersRaceUnderATinyBudget)
{
    appendKeys(0, 3, 1200);
    std::thread writer([&] { appendKeys(10, 30, 700); });
    auto reader = [&](int key) {
        for (int round = 0; round < 10; ++round)
            ASSERT_EQ(readIntactKey(m_bucket, key), makeItems(key, 1200));
    };
    std::thread readerA(reader, 0);
    std::thread readerB(reader, 1);
    reader(2);
    writer.join();
    readerA.join();
    readerB.join();
    for (int key = 10; key < 30; ++key)
        EXPECT_EQ(readIntactKey(m_bucket, key), makeItems(key, 700));
}

// Pages going out, and the pages of a bucket going away, leave their item memory to the pages read
// back, within a quarter of the budget; the items read back are those written.
TEST_F(EnginePager, MemoryOfPagesThatWentServesThePagesReadBack)
{
    pager().set_memory_budget(8 * pageBytes);
    const std::uint64_t spareLimit = 2 * pageBytes;
    appendKeys(0, 12, 512);
    EXPECT_GE(pager().get_page_out_count(), 4u);
    EXPECT_EQ(pager().get_spare_bytes(), spareLimit);

    pager().set_memory_budget(100 * pageBytes);   // nothing goes out while key 0 comes back
    EXPECT_EQ(readIntactKey(m_bucket, 0), makeItems(0, 512));   // paged out first
    EXPECT_EQ(pager().get_spare_bytes(), spareLimit - pageBytes);
    pager().set_memory_budget(8 * pageBytes);
    {
        TestBucket gone;
        gone.attach(m_db);
        gone.append(0, makeItems(0, 512));
    }
    EXPECT_EQ(pager().get_spare_bytes(), spareLimit);
    for (int key = 0; key < 12; ++key)
        EXPECT_EQ(readIntactKey(m_bucket, key), makeItems(key, 512)) << key;
    EXPECT_LE(pager().get_spare_bytes(), spareLimit);
    EXPECT_LE(pager().get_resident_bytes(), 8 * pageBytes);

    // Without page files nothing is ever read back, so nothing is kept for it.
    ddb_2_2::pageable_database memoryOnly;
    {
        TestBucket gone;
        gone.attach(memoryOnly);
        gone.append(0, makeItems(0, 512));
    }
    EXPECT_EQ(memoryOnly.get_pager().get_spare_bytes(), 0u);
}

// Spare memory goes to the page it fits best: a page never takes more than twice what it needs,
// and of the spares that fit, the smallest.
TEST_F(EnginePager, SpareMemoryGoesToThePageItFitsBest)
{
    class SizedBucket : public TestBucket {
    protected:
        std::uint32_t capacity_for(std::size_t pending) const override
        {
            return static_cast<std::uint32_t>(std::clamp<std::size_t>(pending, 512, 4096));
        }
    };
    SizedBucket bucket;
    bucket.attach(m_db);
    bucket.append(0, makeItems(0, 512));
    bucket.append(1, makeItems(1, 1024));
    pager().set_memory_budget(0);   // both out, and no memory kept at this budget
    ASSERT_EQ(pager().get_spare_bytes(), 0u);
    pager().set_memory_budget(40 * pageBytes);

    const auto leaveSpares = [&](std::initializer_list<int> sizes) {
        SizedBucket gone;
        gone.attach(m_db);
        int key = 0;
        for (const int size : sizes) {
            gone.append(key, makeItems(key, size));
            ++key;
        }
    };
    leaveSpares({1024, 512});
    ASSERT_EQ(pager().get_spare_bytes(), 3 * pageBytes);
    EXPECT_EQ(readIntactKey(bucket, 0), makeItems(0, 512));
    EXPECT_EQ(pager().get_spare_bytes(), 2 * pageBytes);   // the small page took the small spare
    EXPECT_EQ(readIntactKey(bucket, 1), makeItems(1, 1024));
    EXPECT_EQ(pager().get_spare_bytes(), 0u);

    pager().set_memory_budget(0);
    pager().set_memory_budget(40 * pageBytes);
    leaveSpares({4096});
    ASSERT_EQ(pager().get_spare_bytes(), 8 * pageBytes);
    EXPECT_EQ(readIntactKey(bucket, 0), makeItems(0, 512));
    EXPECT_EQ(pager().get_spare_bytes(), 8 * pageBytes);   // eight times what it needs: left alone
}

// A page takes spare memory only of its own item type and with room for its capacity, and keeps
// that memory when it is allocated again.
TEST(EnginePage, TakesSpareItemsOnlyOfItsTypeAndWithRoom)
{
    TestPage full;
    full.allocate();
    full.push_back(TestItem{7, 1});
    std::unique_ptr<ddb_2_2::spare_items> spare = full.take_items();
    ASSERT_TRUE(spare);
    EXPECT_FALSE(full.has_items());
    EXPECT_EQ(spare->get_bytes(), pageBytes);

    TestPage larger;
    larger.set_capacity(1024);
    EXPECT_FALSE(larger.adopt_items(spare));
    ddb_2_2::array_page<std::uint64_t> otherType;
    otherType.set_capacity(16);
    EXPECT_FALSE(otherType.adopt_items(spare));
    ASSERT_TRUE(spare);

    TestPage smaller;
    smaller.set_capacity(256);
    ASSERT_TRUE(smaller.adopt_items(spare));
    EXPECT_FALSE(spare);
    ASSERT_TRUE(smaller.has_items());
    EXPECT_TRUE(smaller.get_items()->empty());
    EXPECT_EQ(smaller.get_memory_size(), pageBytes);   // what it holds, not what it asked for
    const TestItem* memory = smaller.get_items()->data();
    smaller.push_back(TestItem{8, 2});
    smaller.allocate();
    EXPECT_TRUE(smaller.get_items()->empty());
    EXPECT_EQ(smaller.get_items()->data(), memory);
}
