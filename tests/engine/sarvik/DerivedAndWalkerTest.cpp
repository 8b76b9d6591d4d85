// Derived expressions and attribute walkers on the small result (see SmallResult.h).

#include "SmallResult.h"
#include "sarvik/ResultBuilder.h"

#include <dd_sarvik_2_2/dd_overtime_derived_query.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>

#include <gtest/gtest.h>

#include <vector>

namespace dd_sarvik_2_2 {
namespace {

dd_overtime_query nodeQuery(int source, const wchar_t* path = L"function")
{
    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", path);
    dd_overtime_query node;
    node += sub;
    node.set_data_source(source);
    node.set_axis_instance_and_attr(L"dd_thread", L"dd_band");
    return node;
}

dd_rpn_node_t reference()
{
    return dd_rpn_node_t::make_db_ref(dd_rpn_node_param_db_ref_t(dd_rpn_node_param_db_ref_t::kind_time));
}

dd_rpn_node_t op(dd_rpn_node_t::type_t type)
{
    return dd_rpn_node_t::make_operator(type);
}

// A derived query over ticks [1000, 1100) in four buckets.
dd_overtime_derived_query derived(std::vector<dd_rpn_node_t> expression, std::initializer_list<dd_overtime_query> queries)
{
    dd_overtime_derived_query query;
    query.set_rpn_expression(std::move(expression));
    for (const dd_overtime_query& node : queries)
        query.add_query(node);
    query.set_data_width(1000, 1100, 4);
    return query;
}

// The first `count` values of a derived walk (past its end reads 0).
std::vector<double> firstValues(dd_overtime_derived_data::const_iterator it, int count)
{
    std::vector<double> out;
    for (int i = 0; i < count; ++i, ++it)
        out.push_back(*it);
    return out;
}

std::vector<double> walk(dd_attr_overtime::forward_iterator& walker)
{
    std::vector<double> seen;
    for (; !walker.at_end(); ++walker)
        seen.push_back(*walker);
    return seen;
}

class Derived : public ::testing::Test {
protected:
    // The query's first `count` values on `row`; empty when the engine refuses the query.
    std::vector<double> evaluate(const dd_overtime_derived_query& query, int row, int count = 4)
    {
        dd_overtime_derived_data::const_iterator it;
        if (!m_result->get_overtime_derived_data(m_bucket, it, query, ddb_2_2::index(row), nullptr))
            return {};
        return firstValues(it, count);
    }

    std::unique_ptr<Result> m_result = test::smallResult();
    Result::overtime_bucket m_bucket;
};

TEST_F(Derived, EvaluatesPerBucketAmountsOfItsReferences)
{
    // time / count * 2 per bucket; row 0: time 25 10 0 0, count 2 1 3 0.
    const auto query = derived({reference(), reference(), op(dd_rpn_node_t::type_divide),
                                dd_rpn_node_t::make_constant(2.0), op(dd_rpn_node_t::type_multiply)},
                               {nodeQuery(2), nodeQuery(1)});
    EXPECT_EQ(evaluate(query, 0), (std::vector<double>{25.0, 20.0, 0.0, 0.0}));
    // Row 2: time 5 0 0 5, count 4 0 0 1; the answered queries are reused from the bucket.
    EXPECT_EQ(evaluate(query, 2), (std::vector<double>{2.5, 0.0, 0.0, 10.0}));
}

TEST_F(Derived, AQueryNamedTwiceIsAnsweredOnce)
{
    // time + time on row 0 (time 25 10 0 0): a second fill of the same query would append its
    // running totals again and turn the first bucket of the second walk negative.
    const auto query = derived({reference(), reference(), op(dd_rpn_node_t::type_add)}, {nodeQuery(2), nodeQuery(2)});
    EXPECT_EQ(evaluate(query, 0), (std::vector<double>{50.0, 20.0, 0.0, 0.0}));
}

TEST_F(Derived, SubtractionKeepsOperandOrderAndMalformedExpressionsFail)
{
    auto query = derived({reference(), reference(), op(dd_rpn_node_t::type_subtract)},
                         {nodeQuery(0), nodeQuery(2, L"function.name")});
    // Row 1: active 1 1 1 0 minus time 15 25 10 0.
    EXPECT_EQ(evaluate(query, 1, 5), (std::vector<double>{-14.0, -24.0, -9.0, 0.0, 0.0}));

    query.set_rpn_expression({reference(), op(dd_rpn_node_t::type_add)});
    EXPECT_FALSE(query.is_valid());
    dd_overtime_derived_data::const_iterator it;
    EXPECT_FALSE(m_result->get_overtime_derived_data(m_bucket, it, query, ddb_2_2::index(1), nullptr));
    EXPECT_FALSE(it.valid());
    query.set_rpn_expression({reference(), reference(), reference(), op(dd_rpn_node_t::type_add),
                              op(dd_rpn_node_t::type_add)});
    EXPECT_FALSE(query.is_valid());   // three references, two queries
}

TEST_F(Derived, FiltersRemovedFromEveryQueryIncludingLaterOnes)
{
    dd_overtime_derived_query query;
    query.add_query(nodeQuery(2));
    query.remove_filters();
    query.add_query(nodeQuery(1));
    for (const auto& node : query.get_queries())
        EXPECT_TRUE(node.get_filters().empty());
}

TEST(AttributeWalker, TimedSeriesAndGlobalBandObjects)
{
    auto result = test::smallResult();
    dd_attr_overtime::forward_iterator walker;
    // Peaks inside buckets, values carried across empty ones.
    ASSERT_TRUE(result->get_instance_value_walker(walker, L"global_event", L"counter.value", 1000, 1100, 4));
    EXPECT_EQ(walk(walker), (std::vector<double>{1.0, 4.0, 2.0, 3.0}));
    // Global band objects carry their instance's value; the first point is at 1005.
    ASSERT_TRUE(result->get_instance_value_walker(walker, L"global_event", L"counter.limit", 990, 1030, 4));
    EXPECT_EQ(walk(walker), (std::vector<double>{0.0, 9.0, 9.0, 9.0}));
    EXPECT_FALSE(result->get_instance_value_walker(walker, L"nothing", L"counter.none", 990, 1030, 4));
    EXPECT_FALSE(walker.valid());
}

// Two counters in one timed series: each row reads its own points and its own range, while the
// walker without an instance still merges them.
TEST(AttributeWalker, OneInstanceReadsOnlyItsOwnSeriesAndRange)
{
    store::ResultRecords records = test::smallRecords();
    for (store::AttributeTableRecord& table : records.attributeTables)
        if (table.name == L"counter")
            table.instances.push_back({std::wstring(L"heap"), 0.0});
    records.timedAttributes[0].values.insert(records.timedAttributes[0].values.end(),
                                             {{1, 1010, 20.0}, {1, 1060, -5.0}});
    const auto result = ResultBuilder::build(records, ddb_2_2::string());
    dd_attr_overtime::forward_iterator walker;
    ASSERT_TRUE(result->get_instance_value_walker(walker, L"counter", L"counter.value", ddb_2_2::index(0), 1000, 1100,
                                                  4));
    EXPECT_EQ(walk(walker), (std::vector<double>{1.0, 4.0, 2.0, 3.0}));
    ASSERT_TRUE(result->get_instance_value_walker(walker, L"counter", L"counter.value", ddb_2_2::index(1), 1000, 1100,
                                                  4));
    EXPECT_EQ(walk(walker), (std::vector<double>{20.0, 20.0, -5.0, -5.0}));
    // Merged, a bucket holding points of both reads one of them.
    ASSERT_TRUE(result->get_instance_value_walker(walker, L"counter", L"counter.value", 1000, 1100, 4));
    const std::vector<double> merged = walk(walker);
    ASSERT_EQ(merged.size(), 4u);
    EXPECT_EQ(merged[0], 20.0);
    EXPECT_EQ(merged[1], 4.0);
    EXPECT_TRUE(merged[2] == 2.0 || merged[2] == -5.0) << merged[2];
    EXPECT_EQ(merged[3], 3.0);

    double min = 0.0;
    double max = 0.0;
    ASSERT_TRUE(result->get_instance_value_range(L"counter", L"counter.value", ddb_2_2::index(1), min, max));
    EXPECT_EQ(std::make_pair(min, max), std::make_pair(-5.0, 20.0));
    ASSERT_TRUE(result->get_instance_value_range(L"counter", L"counter.value", ddb_2_2::index(0), min, max));
    EXPECT_EQ(std::make_pair(min, max), std::make_pair(1.0, 4.0));
    EXPECT_FALSE(result->get_instance_value_range(L"counter", L"counter.value", ddb_2_2::index(2), min, max));
    EXPECT_FALSE(result->get_instance_value_range(L"counter", L"counter.none", ddb_2_2::index(0), min, max));
}

}  // namespace
}  // namespace dd_sarvik_2_2
