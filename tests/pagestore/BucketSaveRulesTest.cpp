#include "PageStoreFixtures.h"
#include "TempDir.h"

#include "pagestore/OverTimeBucket.h"

#include <gtest/gtest.h>

using velmora_1_0::OverTimeBucket;

// Which page files a bucket save writes: missing ones, modified pages, and all of them for a
// bucket that has never been saved or loaded.
class BucketSaveRules : public ::testing::TestWithParam<int> {
protected:
    TempDir dir;
    TestDatabase db{dir.wide(), GetParam()};
    ddb_2_2::string path = ddb_2_2::string(dir.wide()) + ddb_2_2::string(L"//overtime.bucket");
    OverTimeBucket bucket{db};

    void SetUp() override
    {
        appendInDefaultPages(bucket, makeKey(0), makeItems(0, 1100));
        appendInDefaultPages(bucket, makeKey(1), makeItems(1, 1100));
    }

    /// Saves and returns how many page files were opened for writing.
    int savedPages()
    {
        db.storage->takeWritten();
        EXPECT_TRUE(bucket.save(path, db));
        int pages = 0;
        for (const std::wstring& name : db.storage->takeWritten())
            pages += name.size() > 4 && name.compare(name.size() - 4, 4, L".ddb") == 0 ? 1 : 0;
        return pages;
    }

    std::wstring pageFile(const OverTimeKey& key, std::size_t index)
    {
        OverTimeBucket::mutex_type::scoped_lock lock(bucket.get_mutex(), false);
        return bucket.get_page_map().at(key)[index]->get_name().str() + L".ddb";
    }
};

TEST_P(BucketSaveRules, FreshBucketsWriteEveryPageThenOnlyWhatChanged)
{
    EXPECT_EQ(savedPages(), 6);
    // Pages are still marked modified after the first save; the second writes them once more
    // and clears the marks, the third writes the index only.
    EXPECT_EQ(savedPages(), 6);
    EXPECT_EQ(savedPages(), 0);
    EXPECT_EQ(dir.fileCount(), 7);

    std::filesystem::remove(dir.path() / pageFile(makeKey(1), 2));
    EXPECT_EQ(savedPages(), 1);

    bucket.append(makeKey(0), makeItems(9, 1));   // lands in the last page of key 0
    EXPECT_EQ(savedPages(), 1);

    bucket.set_fresh(true);
    EXPECT_EQ(savedPages(), 6);
}

TEST_P(BucketSaveRules, ALoadedBucketSavedAtOnceWritesNoPageFile)
{
    ASSERT_TRUE(bucket.save(path, db));
    OverTimeBucket loaded;
    ASSERT_TRUE(loaded.load(path, db));
    db.storage->takeWritten();
    ASSERT_TRUE(loaded.save(path, db));
    EXPECT_EQ(db.storage->takeWritten(), std::vector<std::wstring>{L"overtime.bucket"});
}

TEST_P(BucketSaveRules, PageFilesOfASavedBucketOutliveIt)
{
    ASSERT_TRUE(bucket.save(path, db));
    const int files = dir.fileCount();
    {
        OverTimeBucket loaded;
        ASSERT_TRUE(loaded.load(path, db));
    }
    EXPECT_EQ(dir.fileCount(), files);
    OverTimeBucket again;
    ASSERT_TRUE(again.load(path, db));
    EXPECT_EQ(again.get_item_count(makeKey(1)), 1100u);
}

INSTANTIATE_TEST_SUITE_P(ArchiveKinds, BucketSaveRules,
                         ::testing::Values(NativeArchives::archiveType, PortableArchives::archiveType));
