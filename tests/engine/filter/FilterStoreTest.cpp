// Writing and reading named filters: content by name, timestamps, saved display timestamps.

#include "FilterTestResult.h"

#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp_list.h>
#include <ddb_2_2/database.h>

#include <gtest/gtest.h>

using namespace dd_sarvik_2_2;
using filter_test::item;

TEST(FilterStore, FiltersOfOneNameShareTheirContent)
{
    ddb_2_2::database db;
    dd_filter selection(db, dd_filter::selection_name);
    selection.add_time_filter(10, 20);
    selection.add_profile_filter({item(L"dd_thread", 1), item(L"dd_thread", 3)});

    const dd_filter reopened(db, dd_filter::selection_name);
    EXPECT_EQ(reopened.get_time_filters(), std::vector<dd_time_filter>{dd_time_filter(10, 20)});
    EXPECT_EQ(reopened.get_profile_filters(), (std::vector<dd_attribute_filter>{item(L"dd_thread", 1), item(L"dd_thread", 3)}));
    EXPECT_FALSE(dd_filter(db, dd_filter::global_name).has_filters());

    selection.clear_filters();
    EXPECT_FALSE(reopened.has_filters());
}

TEST(FilterStore, EveryWriteChangesItsTimestampsAndReadsKeepThem)
{
    ddb_2_2::database db;
    dd_filter filter(db, dd_filter::global_name);
    EXPECT_TRUE(filter.check_timestamp(0, 0));   // never written

    filter.add_time_filter(0, 5);
    const auto time1 = filter.get_time_ts();
    EXPECT_NE(time1, 0u);
    EXPECT_EQ(filter.get_profile_ts(), 0u);      // a time write leaves the profile stamp alone
    filter.has_filters();
    filter.get_time_filters();
    EXPECT_TRUE(filter.check_timestamp(0, time1));

    filter.add_profile_filter({item(L"dd_thread", 2)});
    const auto profile1 = filter.get_profile_ts();
    EXPECT_NE(profile1, 0u);
    EXPECT_FALSE(filter.check_timestamp(0, time1));
    EXPECT_TRUE(filter.check_timestamp(profile1, time1));

    // Clearing, even an empty filter, is a write; stamps never return to an older value.
    filter.clear_filters();
    const auto profile2 = filter.get_profile_ts();
    filter.clear_filters();
    EXPECT_GT(profile2, profile1);
    EXPECT_GT(filter.get_profile_ts(), profile2);
    EXPECT_GT(filter.get_time_ts(), time1);
}

TEST(FilterStore, SavedTimestampsTellWhetherTheFilterChangedSince)
{
    ddb_2_2::database db;
    EXPECT_TRUE(dd_filter_timestamp_list::get_filter_timestamps(L"area_0", db).empty());   // no store yet
    dd_filter global(db, dd_filter::global_name);
    global.add_time_filter(0, 100);
    dd_filter_timestamp_list(L"area_0", dd_filter_timestamp::get_profile_filter_ts(dd_filter::global_name, db),
                             dd_filter_timestamp::get_time_filter_ts(dd_filter::global_name, db))
        .set_filter_timestamp(db);

    const auto saved = dd_filter_timestamp_list::get_filter_timestamps(L"area_0", db);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], dd_filter_timestamp(dd_filter::global_name, 0, global.get_time_ts()));
    EXPECT_TRUE(dd_filter_timestamp_list::get_filter_timestamps(L"area_1", db).empty());
    const dd_filter followed(db, saved[0].get_filter_name());
    EXPECT_TRUE(followed.check_timestamp(saved[0].get_profile_ts(), saved[0].get_time_ts()));

    global.add_time_filter(200, 300);
    EXPECT_FALSE(followed.check_timestamp(saved[0].get_profile_ts(), saved[0].get_time_ts()));
}
