// Over-time answers on the small result (see SmallResult.h), worked out by hand. Buckets of
// [1000, 1100) in 4: [1000,1025) [1025,1050) [1050,1075) [1075,1100).

#include "SmallResult.h"

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {
namespace {

using Entries = std::vector<std::pair<std::uint32_t, std::uint64_t>>;   // (bucket, running total)

dd_overtime_query restricted(const wchar_t* path)
{
    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", path);
    return sub;
}

dd_overtime_query restricted(const wchar_t* path, const ddb_2_2::variant& value)
{
    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", path, value);
    return sub;
}

class OverTime : public ::testing::Test {
protected:
    dd_overtime_query query(int source, std::vector<dd_overtime_query> subs, const wchar_t* axis = L"dd_thread")
    {
        dd_overtime_query q;
        q.set_data_source(source);
        q.set_data_width(1000, 1100, 4);
        if (axis)
            q.set_axis_instance_and_attr(axis, L"dd_band");
        for (const auto& sub : subs)
            q += sub;
        return q;
    }

    /// The entries of every row, all rows sharing one bucket as the provider does.
    std::vector<Entries> answer(const dd_overtime_query& q, int rows)
    {
        Result::overtime_bucket bucket;
        std::vector<Entries> out(rows);
        for (int r = 0; r < rows; ++r) {
            Result::overtime_bucket::const_iterator it;
            EXPECT_TRUE(m_result->get_overtime_data(bucket, it, q, ddb_2_2::index(r), nullptr));
            for (; !it.at_end(); ++it)
                out[r].emplace_back(it->get_bucket_id(), it->get_value());
        }
        return out;
    }

    std::unique_ptr<Result> m_result = test::smallResult();
};

TEST_F(OverTime, EachDataSourceGivesRunningTotalsPerThread)
{
    const auto all = restricted(L"function");
    EXPECT_EQ(answer(query(2, {all}), 3),
              (std::vector<Entries>{{{0, 25}, {1, 35}}, {{0, 15}, {1, 40}, {2, 50}}, {{0, 5}, {3, 10}}}));
    EXPECT_EQ(answer(query(1, {all}), 3),
              (std::vector<Entries>{{{0, 2}, {1, 3}, {2, 6}}, {{0, 1}}, {{0, 4}, {3, 5}}}));
    EXPECT_EQ(answer(query(0, {all}), 3),
              (std::vector<Entries>{{{0, 1}, {1, 3}, {2, 4}}, {{0, 1}, {1, 2}, {2, 3}}, {{0, 1}, {3, 2}}}));
}

TEST_F(OverTime, SubQueriesRestrictByValueAndThroughReferences)
{
    EXPECT_EQ(answer(query(2, {restricted(L"function"), restricted(L"function.name", L"compute")}), 3),
              (std::vector<Entries>{{{0, 25}, {1, 30}}, {}, {{0, 5}}}));
    EXPECT_EQ(answer(query(2, {restricted(L"function.module.name", L"libm")}), 3),
              (std::vector<Entries>{{{1, 5}}, {{0, 15}, {1, 40}, {2, 50}}, {{3, 5}}}));
    // Restrictions add up: compute and libm exclude each other.
    EXPECT_EQ(answer(query(2, {restricted(L"function.name", L"compute"), restricted(L"function.module.name", L"libm")}), 3),
              (std::vector<Entries>{{}, {}, {}}));
    // A restriction on the rows' own table.
    EXPECT_EQ(answer(query(1, {restricted(L"function"), restricted(L"dd_thread.name", L"calc")}), 3),
              (std::vector<Entries>{{}, {}, {{0, 4}, {3, 5}}}));
}

TEST_F(OverTime, AxisGroupsRowsOrAnswersEverythingInOneRow)
{
    EXPECT_EQ(answer(query(2, {restricted(L"function")}, L"process"), 2),
              (std::vector<Entries>{{{0, 25}, {1, 35}}, {{0, 20}, {1, 45}, {2, 55}, {3, 60}}}));
    EXPECT_EQ(answer(query(2, {restricted(L"function")}, nullptr), 1),
              (std::vector<Entries>{{{0, 45}, {1, 80}, {2, 90}, {3, 95}}}));
}

TEST_F(OverTime, ARowRangeAnswersOnlyItsRowsAndTheSameAsTheWholeQuery)
{
    auto q = query(2, {restricted(L"function")});
    q.set_row_range(1, 1);
    EXPECT_EQ(answer(q, 3), (std::vector<Entries>{{}, {{0, 15}, {1, 40}, {2, 50}}, {}}));
    // A range past the last row answers the rows there are.
    q.set_row_range(2, 5);
    EXPECT_EQ(answer(q, 3), (std::vector<Entries>{{}, {}, {{0, 5}, {3, 10}}}));
    q.set_row_range(7, 2);
    EXPECT_EQ(answer(q, 3), (std::vector<Entries>{{}, {}, {}}));
}

TEST_F(OverTime, NamedFiltersRestrictRowsInstancesAndTime)
{
    ddb_2_2::database& db = m_result->get_database();
    dd_filter global(db, dd_filter::global_name);
    global.add_time_filter(1000, 1019);   // ends included: ticks [1000, 1020)
    const auto all = restricted(L"function");
    EXPECT_EQ(answer(query(2, {all}), 3), (std::vector<Entries>{{{0, 20}}, {{0, 10}}, {}}));

    global.clear_filters();
    global.add_profile_filter({dd_attribute_filter(L"dd_thread", L"dd_band", std::int64_t{1})});
    EXPECT_EQ(answer(query(1, {all}), 3), (std::vector<Entries>{{}, {{0, 1}}, {}}));

    // Another named filter on the samples' own instances; the global one still applies.
    dd_filter doi(db, dd_filter::timeline_doi_name);
    doi.add_profile_filter({dd_attribute_filter(L"function", L"dd_sample", std::int64_t{0})});
    auto q = query(1, {all});
    q.add_filter(dd_filter::timeline_doi_name);
    EXPECT_EQ(answer(q, 3), (std::vector<Entries>{{}, {}, {}}));
    q.clear_filters();
    q.add_filter(dd_filter::timeline_doi_name);
    EXPECT_EQ(answer(q, 3), (std::vector<Entries>{{{0, 2}, {2, 5}}, {}, {{0, 4}}}));
}

TEST_F(OverTime, UnanswerableQueriesLeaveTheIteratorInvalid)
{
    Result::overtime_bucket bucket;
    Result::overtime_bucket::const_iterator it;
    dd_overtime_query noSamples;
    noSamples.init(L"dd_thread", L"no_samples", L"nothing.name");
    auto q = query(2, {noSamples});
    EXPECT_FALSE(m_result->get_overtime_data(bucket, it, q, ddb_2_2::index(0), nullptr));
    EXPECT_FALSE(it.is_valid());
    q = query(2, {restricted(L"function")});
    q.set_data_width(1100, 1000, 4);
    EXPECT_FALSE(m_result->get_overtime_data(bucket, it, q, ddb_2_2::index(0), nullptr));
    // A value on a table the samples cannot reach answers nothing rather than everything.
    EXPECT_EQ(answer(query(2, {restricted(L"function"), restricted(L"counter.name", L"load")}), 1),
              (std::vector<Entries>{{}}));
}

TEST_F(OverTime, DifferentQueriesShareOneBucketWithoutMixing)
{
    Result::overtime_bucket bucket;
    Result::overtime_bucket::const_iterator it;
    const auto time = query(2, {restricted(L"function")});
    const auto count = query(1, {restricted(L"function")});
    ASSERT_TRUE(m_result->get_overtime_data(bucket, it, time, ddb_2_2::index(1), nullptr));
    ASSERT_TRUE(m_result->get_overtime_data(bucket, it, count, ddb_2_2::index(1), nullptr));
    ASSERT_FALSE(it.at_end());
    EXPECT_EQ(it->get_value(), 1u);
    EXPECT_TRUE((++it).at_end());
    ASSERT_TRUE(m_result->get_overtime_data(bucket, it, time, ddb_2_2::index(1), nullptr));
    EXPECT_EQ(it->get_value(), 15u);
}

}  // namespace
}  // namespace dd_sarvik_2_2
