#include "PageStoreFixtures.h"
#include "TempDir.h"

#include "pagestore/OverTimeBucket.h"
#include "pagestore/OverTimePage.h"
#include "pagestore/PortableArchiveException.h"

#include <gtest/gtest.h>

#include <fstream>

using velmora_1_0::OverTimeBucket;
using velmora_1_0::OverTimePage;

namespace {

std::vector<OverTimeItem> readKey(const OverTimeBucket& bucket, const OverTimeKey& key)
{
    std::vector<OverTimeItem> items;
    for (auto it = bucket.find(key); !it.at_end(); ++it)
        items.push_back(*it);
    return items;
}

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

template <class A>
class PageFile : public ::testing::Test {
protected:
    TempDir dir;
    TestDatabase db{dir.wide(), A::archiveType};
    ddb_2_2::string bucketPath = ddb_2_2::string(dir.wide()) + ddb_2_2::string(L"//overtime.bucket");

    void fill(OverTimeBucket& bucket)
    {
        for (std::int32_t row = 0; row < 3; ++row)
            appendInDefaultPages(bucket, makeKey(row), makeItems(row, 1100));
        bucket.set_bucket_word(9);
    }
};

TYPED_TEST_SUITE(PageFile, ArchiveKinds);

TYPED_TEST(PageFile, BucketRoundTripReadsPagesOnlyWhenUsed)
{
    OverTimeBucket saved(this->db);
    this->fill(saved);
    ASSERT_TRUE(saved.save(this->bucketPath, this->db));
    EXPECT_EQ(this->dir.fileCount(), 1 + 3 * 3);   // the bucket file and three pages per key
    EXPECT_FALSE(saved.is_fresh());

    OverTimeBucket loaded;
    ASSERT_TRUE(loaded.load(this->bucketPath, this->db));
    EXPECT_EQ(loaded.get_bucket_word(), 9u);
    EXPECT_EQ(loaded.get_keys(), saved.get_keys());
    {
        OverTimeBucket::mutex_type::scoped_lock lock(loaded.get_mutex(), false);
        const auto& pages = loaded.get_page_map().at(makeKey(1));
        ASSERT_EQ(pages.size(), 3u);
        for (const auto& page : pages) {
            EXPECT_FALSE(page->has_items());
            EXPECT_FALSE(page->is_modified());
            EXPECT_EQ(page->get_capacity(), 512u);
            EXPECT_EQ(page->get_memory_size(), 512u * 16);
        }
        EXPECT_EQ(pages[1]->get_first_item(), makeItems(1, 1100)[512]);
    }
    for (std::int32_t row = 0; row < 3; ++row)
        EXPECT_EQ(readKey(loaded, makeKey(row)), makeItems(row, 1100));
}

TYPED_TEST(PageFile, EachBatchFillsPagesSizedToItUpToTheLargestPage)
{
    const std::size_t largest = OverTimeBucket::maxPageItems;
    OverTimeBucket saved(this->db);
    saved.append(makeKey(0), makeItems(0, 1100));
    saved.append(makeKey(1), makeItems(1, static_cast<int>(largest) + 10));
    saved.append(makeKey(1), makeItems(2, 3));
    ASSERT_TRUE(saved.save(this->bucketPath, this->db));
    EXPECT_EQ(this->dir.fileCount(), 1 + 1 + 2);

    OverTimeBucket loaded;
    ASSERT_TRUE(loaded.load(this->bucketPath, this->db));
    {
        OverTimeBucket::mutex_type::scoped_lock lock(loaded.get_mutex(), false);
        const auto& one = loaded.get_page_map().at(makeKey(0));
        ASSERT_EQ(one.size(), 1u);
        EXPECT_EQ(one[0]->get_capacity(), 1100u);
        EXPECT_EQ(one[0]->get_memory_size(), 1100u * 16);
        // The rest of a batch too small for a page of its own gets a default page, which the
        // next batch tops up.
        const auto& two = loaded.get_page_map().at(makeKey(1));
        ASSERT_EQ(two.size(), 2u);
        EXPECT_EQ(two[0]->get_capacity(), largest);
        EXPECT_EQ(two[1]->get_capacity(), 512u);
    }
    EXPECT_EQ(readKey(loaded, makeKey(0)), makeItems(0, 1100));
    auto expected = makeItems(1, static_cast<int>(largest) + 10);
    for (const auto& item : makeItems(2, 3))
        expected.push_back(item);
    EXPECT_EQ(readKey(loaded, makeKey(1)), expected);
}

TYPED_TEST(PageFile, EmptyBucketRoundTrip)
{
    OverTimeBucket empty;
    empty.set_bucket_word(3);
    ASSERT_TRUE(empty.save(this->bucketPath, this->db));
    EXPECT_EQ(this->dir.fileCount(), 1);
    OverTimeBucket loaded;
    ASSERT_TRUE(loaded.load(this->bucketPath, this->db));
    EXPECT_TRUE(loaded.empty());
    EXPECT_EQ(loaded.get_bucket_word(), 3u);
}

TYPED_TEST(PageFile, LoadsAndSavesThatReturnFalse)
{
    OverTimeBucket bucket;
    const ddb_2_2::string missing = ddb_2_2::string(this->dir.wide()) + ddb_2_2::string(L"//missing.bucket");
    EXPECT_FALSE(bucket.load(missing, this->db));

    writeBytes(this->dir.path() / "empty.bucket", "");
    EXPECT_FALSE(bucket.load(ddb_2_2::string(this->dir.wide()) + ddb_2_2::string(L"//empty.bucket"), this->db));

    OverTimeBucket source(this->db);
    this->fill(source);
    ASSERT_TRUE(source.save(this->bucketPath, this->db));
    this->db.storage->refuseOpens = true;
    EXPECT_FALSE(bucket.load(this->bucketPath, this->db));
    EXPECT_FALSE(bucket.save(this->bucketPath, this->db));
    this->db.storage->refuseOpens = false;
    this->db.withStorage = false;
    EXPECT_FALSE(bucket.load(this->bucketPath, this->db));
    EXPECT_FALSE(bucket.save(this->bucketPath, this->db));
    EXPECT_TRUE(bucket.empty());   // nothing was read into it
    EXPECT_TRUE(bucket.is_fresh());
}

TYPED_TEST(PageFile, DamagedFilesRaiseArchiveErrors)
{
    OverTimeBucket source(this->db);
    this->fill(source);
    ASSERT_TRUE(source.save(this->bucketPath, this->db));
    const std::filesystem::path bucketFile = this->dir.path() / "overtime.bucket";
    const std::string bytes = fileBytes(bucketFile);

    for (std::size_t cut : {bytes.size() / 2, bytes.size() - 1, std::size_t(10)}) {
        writeBytes(bucketFile, bytes.substr(0, cut));
        OverTimeBucket loaded;
        EXPECT_THROW(loaded.load(this->bucketPath, this->db), boost::archive::archive_exception) << cut;
    }

    // A page file whose class version is above the known one.
    const ddb_2_2::string pagePath = ddb_2_2::string(this->dir.wide()) + ddb_2_2::string(L"//v.ddb");
    writeBytes(pagePath.to_utf8(), writeArchive<TypeParam>(FutureVersion<1>{}));   // pages are at version 0
    OverTimePage page;
    try {
        page.load(pagePath, this->db);
        FAIL() << "a newer page version was accepted";
    } catch (const boost::archive::archive_exception& e) {
        EXPECT_EQ(e.code, boost::archive::archive_exception::unsupported_class_version);
    }
}

// A page file holds what its page held, whatever the capacity of the page that reads it; a file
// written over a longer one keeps none of the old bytes; a file cut short fails to load.
TYPED_TEST(PageFile, PageFilesLoadWholeRewrittenOrOfAnotherCapacity)
{
    const ddb_2_2::string path = ddb_2_2::string(this->dir.wide()) + ddb_2_2::string(L"//p.ddb");
    const auto pageOf = [](const std::vector<OverTimeItem>& items, std::uint32_t capacity) {
        auto page = std::make_unique<OverTimePage>();
        page->set_capacity(capacity);
        page->allocate();
        for (const auto& item : items)
            page->push_back(item);
        return page;
    };
    const auto large = pageOf(makeItems(1, 2000), 2000);
    ASSERT_TRUE(large->save(path, this->db));
    OverTimePage loaded;   // reserves the default 512 items
    ASSERT_TRUE(loaded.load(path, this->db));
    EXPECT_EQ(*loaded.get_items(), makeItems(1, 2000));
    EXPECT_GE(loaded.get_memory_size(), 2000u * sizeof(OverTimeItem));

    const auto small = pageOf(makeItems(2, 3), 512);
    ASSERT_TRUE(small->save(path, this->db));
    EXPECT_EQ(fileBytes(path.to_utf8()),
              writeArchive<TypeParam>(static_cast<const velmora_1_0::OverTimePageBase&>(*small)));
    ASSERT_TRUE(loaded.load(path, this->db));   // over the items it holds
    EXPECT_EQ(*loaded.get_items(), makeItems(2, 3));

    ASSERT_TRUE(large->save(path, this->db));
    const std::string bytes = fileBytes(path.to_utf8());
    writeBytes(path.to_utf8(), bytes.substr(0, bytes.size() - 5));
    EXPECT_THROW(loaded.load(path, this->db), boost::archive::archive_exception);
}

TEST(PortablePageFile, OverlongIntegerInAPageFileIsRefused)
{
    TempDir dir;
    TestDatabase db(dir.wide(), PortableArchives::archiveType);
    const velmora_1_0::OverTimePageBase unallocated;
    std::string bytes = writeArchive<PortableArchives>(unallocated);
    // The file ends with the page word and the count, both 0; widen the word to five bytes.
    bytes = bytes.substr(0, bytes.size() - 2) + "\x05\x01\x01\x01\x01\x01" + std::string(1, '\0');
    const ddb_2_2::string path = ddb_2_2::string(dir.wide()) + ddb_2_2::string(L"//w.ddb");
    writeBytes(path.to_utf8(), bytes);
    OverTimePage page;
    try {
        page.load(path, db);
        FAIL();
    } catch (const velmora_1_0::PortableArchiveException& e) {
        EXPECT_STREQ(e.what(), "integer cannot be represented");
    }
}
