// An over-time query of the engine answered into a bucket whose pages go to files under a
// small memory budget gives the same answer as one kept in memory.

#include "TempDir.h"

#include "pagestore/OverTimeBucket.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <gtest/gtest.h>

using namespace dd_sarvik_2_2;

namespace {

std::vector<dd_overtime_data> answer(const Result& result, Result::overtime_bucket& bucket,
                                     const dd_overtime_query& query, int row)
{
    Result::overtime_bucket::const_iterator it;
    EXPECT_TRUE(result.get_overtime_data(bucket, it, query, ddb_2_2::index(row), nullptr));
    std::vector<dd_overtime_data> items;
    for (; it.is_valid() && !it.at_end(); ++it)
        items.push_back(*it);
    EXPECT_FALSE(it.failed());
    return items;
}

}  // namespace

TEST(EngineQueryPaging, LargeQueryUnderASmallBudgetGivesTheSameAnswer)
{
    TempDir dir;
    store::GeneratorOptions options;
    options.threads = 64;
    options.samples = 100000;
    options.seed = 3;
    ASSERT_TRUE(store::ResultGenerator(options).writeTo(dir.path()).ok());
    Sarvik engine;
    Result* result = nullptr;
    ASSERT_EQ(engine.result_open(result, ddb_2_2::string(dir.wide()), L"", nullptr).code, 0);

    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", L"function");
    dd_overtime_query query;
    query += sub;
    query.set_data_source(2);
    query.set_data_width(options.timeOrigin, options.timeOrigin + options.duration, 2000);
    query.set_axis_instance_and_attr(L"dd_thread", L"dd_band");

    ddb_2_2::pageable_database& db = result->get_database();
    db.get_pager().set_memory_budget(32 * 8192);
    velmora_1_0::OverTimeBucket inMemory;
    velmora_1_0::OverTimeBucket paged(db);
    std::size_t items = 0;
    for (int row = 0; row < static_cast<int>(options.threads); ++row) {
        const auto expected = answer(*result, inMemory, query, row);
        ASSERT_EQ(answer(*result, paged, query, row), expected) << row;
        items += expected.size();
    }
    EXPECT_GT(items, 64u * 8 * 512 / 4);   // far more than the budget holds
    EXPECT_GT(db.get_pager().get_page_out_count(), 0u);
    EXPECT_GT(db.get_pager().get_page_in_count(), 0u);
    EXPECT_LE(db.get_pager().get_resident_bytes(), 32u * 8192);
}
