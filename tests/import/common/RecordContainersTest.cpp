// The containers the readers keep their records in: blocks that fill and read back in order
// across their seams, and interned keys laid out as text columns.
#include "BlockVector.h"
#include "RecordTables.h"
#include "TextInternTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora_import {
namespace {

struct Wide {
    std::uint64_t value = 0;
    char padding[24] = {};
};

TEST(BlockVectorTest, ReadsBackEveryRecordInOrderAcrossBlocks)
{
    BlockVector<Wide> records;
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(records.begin() == records.end());
    const std::size_t count = 3 * BlockVector<Wide>::PER_BLOCK + 5;
    for (std::size_t i = 0; i < count; ++i)
        records.push_back({i});
    ASSERT_EQ(records.size(), count);
    std::size_t expected = 0;
    for (const Wide& record : records)
        ASSERT_EQ(record.value, expected++);
    EXPECT_EQ(expected, count);

    BlockVector<Wide> full;
    for (std::size_t i = 0; i < BlockVector<Wide>::PER_BLOCK; ++i)
        full.push_back({i});
    EXPECT_EQ(static_cast<std::size_t>(std::distance(full.begin(), full.end())), full.size()) << "one full block";
}

TEST(RecordTablesTest, KeysBecomeTextColumnsPaddedAndCut)
{
    TextInternTable texts;
    std::string key;
    texts.index(TextInternTable::join(key, {"main", "app", std::string("a\0b", 3)}));
    texts.index(TextInternTable::join(key, {"", "gfx"}));
    texts.index(TextInternTable::join(key, {"paint", "gfx", "x", "beyond the columns"}));
    const auto columns = RecordTables::textColumns(texts, 3);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].utf8, "mainpaint");
    EXPECT_EQ(columns[0].ends, (std::vector<std::uint64_t>{4, 4, 9}));
    EXPECT_EQ(columns[1].utf8, "appgfxgfx");
    EXPECT_EQ(columns[1].ends, (std::vector<std::uint64_t>{3, 6, 9}));
    EXPECT_EQ(columns[2].utf8, std::string("a\0bx", 4));
    EXPECT_EQ(columns[2].ends, (std::vector<std::uint64_t>{3, 3, 4})) << "a missing part is an empty text";
}

} // namespace
} // namespace velmora_import
