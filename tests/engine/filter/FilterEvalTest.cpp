// Evaluation of filters: time items (ends, overlap, clipping, several filters) and profile
// items (OR within a table, AND across tables and filters, negation, values).

#include "FilterTestResult.h"

#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_eval.h>
#include <ddb_2_2/database.h>

#include <gtest/gtest.h>

using namespace dd_sarvik_2_2;
using Index = ddb_2_2::index;
using filter_test::item;

namespace {

using Ranges = dd_filter_eval::tick_ranges;
const std::vector<ddb_2_2::string> globalAndDoi = {dd_filter::global_name, dd_filter::timeline_doi_name};

std::vector<int> passingRows(const dd_filter_eval& eval, const wchar_t* table)
{
    reduced_attribute_filter reduced;
    eval.reduce_profile_filter(table, reduced);
    std::vector<int> rows;
    for (int r = 0; r < 6; ++r) {
        if (reduced.check_filter(Index(r)))
            rows.push_back(r);
    }
    return rows;
}

class FilterEval : public ::testing::Test {
protected:
    ddb_2_2::database m_db;
    dd_filter m_global{m_db, dd_filter::global_name};
    dd_filter m_doi{m_db, dd_filter::timeline_doi_name};
};

}  // namespace

TEST_F(FilterEval, TimeItemsIncludeBothEndsAndDataPassesWhenItOverlapsAny)
{
    EXPECT_TRUE(dd_filter_eval(m_db).check_time(0, 0));   // no items: everything passes
    m_global.add_time_filter(100, 199);
    m_global.add_time_filter(300, 399);
    const dd_filter_eval eval(m_db);
    EXPECT_EQ(eval.get_time_ranges(), (Ranges{{100, 200}, {300, 400}}));

    EXPECT_FALSE(eval.check_time(0, 100));     // [0, 100) ends just before the item
    EXPECT_TRUE(eval.check_time(0, 101));
    EXPECT_FALSE(eval.check_time(200, 300));   // the gap between the items
    EXPECT_TRUE(eval.check_time(150, 350));
    EXPECT_TRUE(eval.check_time(199, 199));    // instants: on the last tick of an item
    EXPECT_FALSE(eval.check_time(200, 200));

    Ranges pieces;
    eval.clip_time(150, 350, pieces);
    eval.clip_time(250, 260, pieces);          // nothing inside
    eval.clip_time(399, 399, pieces);          // an instant stays an instant
    EXPECT_EQ(pieces, (Ranges{{150, 200}, {300, 350}, {399, 399}}));
}

TEST_F(FilterEval, ItemsOfOneFilterMergeAndSeveralFiltersIntersect)
{
    m_global.add_time_filter(50, 10);          // reversed ends are taken as [10, 50]
    m_global.add_time_filter(51, 60);          // adjacent
    m_doi.add_time_filter(0, 20);
    m_doi.add_time_filter(55, 1000);
    EXPECT_EQ(dd_filter_eval(m_db).get_time_ranges(), (Ranges{{10, 61}}));
    EXPECT_EQ(dd_filter_eval(m_db, globalAndDoi).get_time_ranges(), (Ranges{{10, 21}, {55, 61}}));

    m_doi.clear_filters();
    m_doi.add_time_filter(100, 200);
    const dd_filter_eval disjoint(m_db, globalAndDoi);
    EXPECT_TRUE(disjoint.has_time_filter());
    EXPECT_FALSE(disjoint.check_time(0, 1000));
}

TEST_F(FilterEval, ItemsOfATableAreAlternativesTablesAreAllRequiredNegatedItemsExclude)
{
    m_global.add_profile_filter({item(L"dd_thread", 1), item(L"dd_thread", 3), item(L"function", 7)});
    const dd_filter_eval eval(m_db);
    EXPECT_EQ(passingRows(eval, L"dd_thread"), (std::vector<int>{1, 3}));
    EXPECT_EQ(passingRows(eval, L"function"), (std::vector<int>{}));
    EXPECT_EQ(passingRows(eval, L"dd_wait").size(), 6u);   // a table no item names is free

    m_global.clear_filters();
    m_global.add_profile_filter({item(L"dd_thread", 2, true), item(L"dd_thread", 4, true)});
    EXPECT_EQ(passingRows(dd_filter_eval(m_db), L"dd_thread"), (std::vector<int>{0, 1, 3, 5}));
    m_global.add_profile_filter({item(L"dd_thread", 1), item(L"dd_thread", 2)});
    EXPECT_EQ(passingRows(dd_filter_eval(m_db), L"dd_thread"), (std::vector<int>{1}));
}

TEST_F(FilterEval, EveryFilterMustPassAndValuesCompareAsValues)
{
    m_global.add_profile_filter({item(L"dd_thread", 1), item(L"dd_thread", 2)});
    m_doi.add_profile_filter({item(L"dd_thread", 2), item(L"dd_thread", 5)});
    m_doi.add_profile_filter({dd_attribute_filter(L"dd_wait.wait_cs.bottom_user_cs", L"dd_wait", L"main")});
    const dd_filter_eval eval(m_db, globalAndDoi);
    EXPECT_EQ(passingRows(eval, L"dd_thread"), (std::vector<int>{2}));
    EXPECT_TRUE(eval.get_reduced(L"dd_thread")->check_value(std::uint32_t(2)));   // any integer tag

    const auto frames = eval.get_reduced(L"dd_wait.wait_cs.bottom_user_cs");
    EXPECT_TRUE(frames->check_value(L"main"));
    EXPECT_FALSE(frames->check_value(L"worker"));
}

TEST_F(FilterEval, EvaluationKeepsTheFilterItWasMadeWith)
{
    m_global.add_time_filter(0, 9);
    m_global.add_profile_filter({item(L"dd_thread", 1)});
    const dd_filter_eval eval(m_db);
    m_global.clear_filters();
    m_global.add_profile_filter({item(L"dd_thread", 2)});

    EXPECT_EQ(passingRows(eval, L"dd_thread"), (std::vector<int>{1}));
    EXPECT_FALSE(eval.check_time(10, 20));
    EXPECT_EQ(passingRows(dd_filter_eval(m_db), L"dd_thread"), (std::vector<int>{2}));
}
