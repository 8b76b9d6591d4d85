#include "TestPagedItems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

TEST(EnginePagedBucket, KeepsAppendOrderAcrossPagesOf512)
{
    PlainBucket bucket;
    const auto items = makeItems(3, 1100);
    bucket.append(3, std::vector<TestItem>(items.begin(), items.begin() + 600));
    for (auto it = items.begin() + 600; it != items.end(); ++it)
        bucket.append(3, *it);

    EXPECT_EQ(readKey(bucket, 3), items);
    PlainBucket::mutex_type::scoped_lock lock(bucket.get_mutex(), false);
    const auto& pages = bucket.get_page_map().at(3);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0]->size(), 512u);
    EXPECT_EQ(pages[2]->size(), 76u);
    EXPECT_EQ(pages[1]->get_first_item(), items[512]);
    EXPECT_EQ(pages[0]->get_memory_size(), 512u * sizeof(TestItem));
}

TEST(EnginePagedBucket, WalksAllKeysInKeyOrder)
{
    PlainBucket bucket;
    bucket.append(9, makeItems(9, 2));
    bucket.append(1, makeItems(1, 513));
    bucket.append(5, makeItems(5, 1));

    std::vector<std::pair<int, std::uint32_t>> walked;
    for (auto it = bucket.begin(); it != bucket.end(); ++it)
        walked.emplace_back(it.get_key(), it->id);
    ASSERT_EQ(walked.size(), 516u);
    EXPECT_EQ(walked[0], std::make_pair(1, 0u));
    EXPECT_EQ(walked[512], std::make_pair(1, 512u));
    EXPECT_EQ(walked[513], std::make_pair(5, 0u));
    EXPECT_EQ(walked[515], std::make_pair(9, 1u));
    EXPECT_EQ(bucket.get_keys(), (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(bucket.get_item_count(1), 513u);
}

TEST(EnginePagedBucket, MissingKeysEmptyBucketsAndInvalidIterators)
{
    PlainBucket bucket;
    EXPECT_TRUE(bucket.begin() == bucket.end());
    bucket.append(1, makeItems(1, 3));
    const auto missing = bucket.find(2);
    EXPECT_TRUE(missing.is_valid());
    EXPECT_TRUE(missing.at_end());
    const PlainBucket::const_iterator none;
    EXPECT_FALSE(none.is_valid());
    EXPECT_TRUE(none.at_end());

    auto it = bucket.find(1);
    auto copy = it++;
    EXPECT_EQ(copy->id, 0u);
    EXPECT_EQ(it->id, 1u);
    bucket.clear();
    EXPECT_TRUE(bucket.empty());
}

TEST(EnginePagedBucket, ParallelFillOfManyKeysLosesNothing)
{
    PlainBucket bucket;
    constexpr int keys = 64;
    constexpr int threads = 4;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&bucket, t] {
            for (int key = t; key < keys; key += threads) {
                const auto items = makeItems(key, 700 + key);
                for (std::size_t i = 0; i < items.size(); i += 100)
                    bucket.append(key, items.data() + i, std::min<std::size_t>(100, items.size() - i));
            }
        });
    for (auto& worker : workers)
        worker.join();
    ASSERT_EQ(bucket.get_key_count(), std::size_t(keys));
    for (int key = 0; key < keys; ++key)
        ASSERT_EQ(readKey(bucket, key), makeItems(key, 700 + key)) << key;
}

