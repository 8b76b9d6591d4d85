// Evaluation of filters: time items (overlap, clipping, several filters), profile items (OR
// within a table, AND across tables, negation, values), reduction to a row table.

#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_eval.h>
#include <ddb_2_2/database.h>

#include <gtest/gtest.h>

using namespace dd_sarvik_2_2;
using Index = ddb_2_2::index;

namespace {

using Ranges = dd_filter_eval::tick_ranges;

dd_attribute_filter item(const wchar_t* table, std::int64_t value, bool negated = false)
{
    return dd_attribute_filter(table, L"dd_band", value, dd_attribute_filter::op_equal, negated);
}

std::vector<int> passingRows(const reduced_attribute_filter& reduced, int count)
{
    std::vector<int> rows;
    for (int r = 0; r < count; ++r) {
        if (reduced.check_filter(Index(r)))
            rows.push_back(r);
    }
    return rows;
}

class FilterEval : public ::testing::Test {
protected:
    ddb_2_2::database m_db;
    dd_filter m_global{m_db, dd_filter::global_name};
};

}  // namespace

TEST_F(FilterEval, WithoutItemsEverythingPasses)
{
    const dd_filter_eval eval(m_db);
    EXPECT_FALSE(eval.has_filters());
    EXPECT_FALSE(eval.has_time_filter());
    EXPECT_TRUE(eval.check_time(0, 0));
    EXPECT_TRUE(eval.check_filter(L"dd_thread", Index(42)));
    Ranges pieces;
    eval.clip_time(5, 9, pieces);
    EXPECT_EQ(pieces, (Ranges{{5, 9}}));
}

TEST_F(FilterEval, TimeItemsIncludeBothEndsAndDataPassesWhenItOverlapsAny)
{
    m_global.add_time_filter(100, 199);
    m_global.add_time_filter(300, 399);
    const dd_filter_eval eval(m_db);
    ASSERT_TRUE(eval.has_time_filter());
    EXPECT_EQ(eval.get_time_ranges(), (Ranges{{100, 200}, {300, 400}}));

    EXPECT_FALSE(eval.check_time(0, 100));     // [0, 100) ends just before the item
    EXPECT_TRUE(eval.check_time(0, 101));
    EXPECT_TRUE(eval.check_time(199, 250));
    EXPECT_FALSE(eval.check_time(200, 300));   // the gap between the items
    EXPECT_TRUE(eval.check_time(150, 350));
    EXPECT_FALSE(eval.check_time(400, 500));
    EXPECT_TRUE(eval.check_time(199, 199));    // instants: on the last tick of an item
    EXPECT_FALSE(eval.check_time(200, 200));

    Ranges pieces;
    eval.clip_time(150, 350, pieces);
    eval.clip_time(250, 260, pieces);          // nothing inside
    eval.clip_time(399, 399, pieces);          // an instant stays an instant
    EXPECT_EQ(pieces, (Ranges{{150, 200}, {300, 350}, {399, 399}}));
}

TEST_F(FilterEval, OverlappingAndAdjacentItemsMergeAndSeveralFiltersIntersect)
{
    m_global.add_time_filter(50, 10);          // reversed ends are taken as [10, 50]
    m_global.add_time_filter(51, 60);          // adjacent: one range
    m_global.add_time_filter(40, 45);          // inside
    dd_filter doi(m_db, dd_filter::timeline_doi_name);
    doi.add_time_filter(0, 20);
    doi.add_time_filter(55, 1000);

    EXPECT_EQ(dd_filter_eval(m_db).get_time_ranges(), (Ranges{{10, 61}}));
    const dd_filter_eval both(m_db, {dd_filter::global_name, dd_filter::timeline_doi_name});
    EXPECT_EQ(both.get_time_ranges(), (Ranges{{10, 21}, {55, 61}}));
    EXPECT_FALSE(both.check_time(30, 40));

    doi.clear_filters();
    doi.add_time_filter(100, 200);
    const dd_filter_eval disjoint(m_db, {dd_filter::global_name, dd_filter::timeline_doi_name});
    EXPECT_TRUE(disjoint.has_time_filter());
    EXPECT_TRUE(disjoint.get_time_ranges().empty());
    EXPECT_FALSE(disjoint.check_time(0, 1000));
}

TEST_F(FilterEval, ItemsOfOneTableAreAlternativesAndTablesAreAllRequired)
{
    m_global.add_profile_filter({item(L"dd_thread", 1), item(L"dd_thread", 3)});
    m_global.add_profile_filter({item(L"function", 7)});
    const dd_filter_eval eval(m_db);

    reduced_attribute_filter threads;
    eval.reduce_profile_filter(L"dd_thread", threads);
    EXPECT_TRUE(threads.restricts());
    EXPECT_EQ(passingRows(threads, 5), (std::vector<int>{1, 3}));

    EXPECT_TRUE(eval.check_filter(L"function", Index(7)));
    EXPECT_FALSE(eval.check_filter(L"function", Index(1)));
    // A table no item names is not restricted.
    EXPECT_TRUE(eval.check_filter(L"dd_wait", Index(1)));
    reduced_attribute_filter waits;
    eval.reduce_profile_filter(L"dd_wait", waits);
    EXPECT_FALSE(waits.restricts());
}

TEST_F(FilterEval, NegatedItemsExcludeAndCombineWithPlainOnes)
{
    m_global.add_profile_filter({item(L"dd_thread", 2, true), item(L"dd_thread", 4, true)});
    reduced_attribute_filter reduced;
    dd_filter_eval(m_db).reduce_profile_filter(L"dd_thread", reduced);
    EXPECT_EQ(passingRows(reduced, 6), (std::vector<int>{0, 1, 3, 5}));

    m_global.add_profile_filter({item(L"dd_thread", 1), item(L"dd_thread", 2)});
    dd_filter_eval(m_db).reduce_profile_filter(L"dd_thread", reduced);
    EXPECT_EQ(passingRows(reduced, 6), (std::vector<int>{1}));
}

TEST_F(FilterEval, SeveralFiltersMustAllPassAndValuesCompareAsValues)
{
    m_global.add_profile_filter({item(L"dd_thread", 1), item(L"dd_thread", 2)});
    dd_filter doi(m_db, dd_filter::timeline_doi_name);
    doi.add_profile_filter({item(L"dd_thread", 2), item(L"dd_thread", 5)});
    doi.add_profile_filter({dd_attribute_filter(L"dd_wait.wait_cs.bottom_user_cs", L"dd_wait",
                                                ddb_2_2::variant(L"main"))});
    const dd_filter_eval eval(m_db, {dd_filter::global_name, dd_filter::timeline_doi_name});

    reduced_attribute_filter threads;
    eval.reduce_profile_filter(L"dd_thread", threads);
    EXPECT_EQ(passingRows(threads, 6), (std::vector<int>{2}));
    EXPECT_TRUE(threads.check_value(ddb_2_2::variant(std::int64_t(2))));   // any integer tag

    const auto frames = eval.get_reduced(L"dd_wait.wait_cs.bottom_user_cs");
    EXPECT_TRUE(frames->check_value(ddb_2_2::variant(L"main")));
    EXPECT_FALSE(frames->check_value(ddb_2_2::variant(L"worker")));
    EXPECT_EQ(eval.get_reduced(L"dd_wait.wait_cs.bottom_user_cs"), frames);   // reduced once
}

TEST_F(FilterEval, EvaluationKeepsTheFilterItWasMadeWith)
{
    m_global.add_time_filter(0, 9);
    m_global.add_profile_filter({item(L"dd_thread", 1)});
    const dd_filter_eval eval(m_db);
    m_global.clear_filters();
    m_global.add_profile_filter({item(L"dd_thread", 2)});

    EXPECT_TRUE(eval.check_filter(L"dd_thread", Index(1)));
    EXPECT_FALSE(eval.check_filter(L"dd_thread", Index(2)));
    EXPECT_FALSE(eval.check_time(10, 20));
    EXPECT_TRUE(dd_filter_eval(m_db).check_filter(L"dd_thread", Index(2)));
}
