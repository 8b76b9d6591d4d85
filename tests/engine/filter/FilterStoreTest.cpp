// Writing and reading named filters: content, timestamps, snapshots and the saved display
// timestamps.

#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_store.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp_list.h>
#include <ddb_2_2/database.h>

#include <gtest/gtest.h>

using namespace dd_sarvik_2_2;

namespace {

dd_attribute_filter rowItem(std::int64_t row, bool negated = false)
{
    return dd_attribute_filter(L"dd_thread", L"dd_band", row, dd_attribute_filter::op_equal, negated);
}

}  // namespace

TEST(FilterStore, FiltersOfOneNameShareContentAndNamesAreIndependent)
{
    ddb_2_2::database db;
    dd_filter selection(db, dd_filter::selection_name);
    selection.add_time_filter(10, 20);
    selection.add_profile_filter({rowItem(1), rowItem(3)});

    const dd_filter reopened(db, dd_filter::selection_name);
    EXPECT_TRUE(reopened.has_filters());
    EXPECT_EQ(reopened.get_time_filters(), std::vector<dd_time_filter>{dd_time_filter(10, 20)});
    EXPECT_EQ(reopened.get_profile_filters(), (std::vector<dd_attribute_filter>{rowItem(1), rowItem(3)}));

    const dd_filter global(db, dd_filter::global_name);
    EXPECT_FALSE(global.has_filters());
    EXPECT_EQ(db.get_table_type(dd_filter_store::table_name), ddb_2_2::string(dd_filter_store::table_name));

    selection.clear_filters();
    EXPECT_FALSE(reopened.has_filters());
    EXPECT_TRUE(reopened.get_time_filters().empty());
}

TEST(FilterStore, EveryWriteChangesItsTimestampsAndReadsKeepThem)
{
    ddb_2_2::database db;
    dd_filter filter(db, dd_filter::global_name);
    EXPECT_EQ(filter.get_profile_ts(), 0u);
    EXPECT_EQ(filter.get_time_ts(), 0u);
    EXPECT_TRUE(filter.check_timestamp(0, 0));

    filter.add_time_filter(0, 5);
    const auto profile1 = filter.get_profile_ts();
    const auto time1 = filter.get_time_ts();
    EXPECT_NE(time1, 0u);
    EXPECT_EQ(profile1, 0u);   // a time write leaves the profile stamp alone
    EXPECT_FALSE(filter.check_timestamp(0, 0));

    filter.has_filters();
    filter.get_time_filters();
    EXPECT_TRUE(filter.check_timestamp(profile1, time1));

    filter.add_profile_filter({rowItem(2)});
    EXPECT_NE(filter.get_profile_ts(), profile1);
    EXPECT_EQ(filter.get_time_ts(), time1);
    EXPECT_FALSE(filter.check_timestamp(profile1, time1));

    // Clearing an empty filter is still a write: stamps never come back to an older value.
    const auto profile2 = filter.get_profile_ts();
    filter.clear_filters();
    const auto profile3 = filter.get_profile_ts();
    filter.clear_filters();
    EXPECT_GT(profile3, profile2);
    EXPECT_GT(filter.get_profile_ts(), profile3);
    EXPECT_GT(filter.get_time_ts(), time1);
}

TEST(FilterStore, SnapshotsStayAsTakenWhileTheFilterIsRewritten)
{
    ddb_2_2::database db;
    dd_filter filter(db, dd_filter::global_name);
    filter.add_time_filter(1, 2);
    const auto store = dd_filter_store::find(db);
    ASSERT_NE(store, nullptr);
    const auto before = store->get_state(dd_filter::global_name);

    filter.clear_filters();
    filter.add_time_filter(7, 9);

    EXPECT_EQ(before->time_items, std::vector<dd_time_filter>{dd_time_filter(1, 2)});
    EXPECT_EQ(store->get_state(dd_filter::global_name)->time_items, std::vector<dd_time_filter>{dd_time_filter(7, 9)});
    EXPECT_EQ(dd_filter_store::attach(db), store);   // attaching again finds the same store
}

TEST(FilterStore, DatabaseWithoutStoreHasNoFiltersAndNoTimestamps)
{
    const ddb_2_2::database db;
    EXPECT_EQ(dd_filter_store::find(db), nullptr);
    EXPECT_EQ(dd_filter_timestamp::get_profile_filter_ts(dd_filter::global_name, db), 0u);
    EXPECT_TRUE(dd_filter_timestamp_list::get_filter_timestamps(L"timeline_filter_area_0", db).empty());
}

TEST(FilterStore, SavedTimestampListsRoundTripAndReplace)
{
    ddb_2_2::database db;
    dd_filter global(db, dd_filter::global_name);
    global.add_time_filter(0, 100);
    const auto profileTs = dd_filter_timestamp::get_profile_filter_ts(dd_filter::global_name, db);
    const auto timeTs = dd_filter_timestamp::get_time_filter_ts(dd_filter::global_name, db);
    EXPECT_EQ(timeTs, global.get_time_ts());

    dd_filter_timestamp_list(L"area_0", profileTs, timeTs).set_filter_timestamp(db);
    auto saved = dd_filter_timestamp_list::get_filter_timestamps(L"area_0", db);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], dd_filter_timestamp(dd_filter::global_name, profileTs, timeTs));
    EXPECT_TRUE(dd_filter(db, saved[0].get_filter_name()).check_timestamp(saved[0].get_profile_ts(), saved[0].get_time_ts()));
    EXPECT_TRUE(dd_filter_timestamp_list::get_filter_timestamps(L"area_1", db).empty());

    global.add_time_filter(200, 300);
    EXPECT_FALSE(dd_filter(db, saved[0].get_filter_name()).check_timestamp(saved[0].get_profile_ts(), saved[0].get_time_ts()));

    dd_filter_timestamp_list(L"area_0", 0, global.get_time_ts()).set_filter_timestamp(db);
    saved = dd_filter_timestamp_list::get_filter_timestamps(L"area_0", db);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].get_time_ts(), global.get_time_ts());
}
