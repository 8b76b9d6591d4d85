#include "SmallResult.h"

#include <dd_sarvik_2_2/dd_attribute_table.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <dd_sarvik_2_2/dd_band.h>
#include <dd_sarvik_2_2/dd_band_table.h>
#include <dd_sarvik_2_2/dd_global_band2_table.h>
#include <dd_sarvik_2_2/dd_global_band_table.h>
#include <dd_sarvik_2_2/dd_manipulator_manager.h>
#include <dd_sarvik_2_2/dd_single_band_table.h>
#include <dd_sarvik_2_2/dd_single_multi_band_table.h>
#include <dd_sarvik_2_2/dd_utility.h>

#include <gtest/gtest.h>

#include <thread>

namespace dd_sarvik_2_2 {
namespace {

class Tables : public ::testing::Test {
protected:
    std::unique_ptr<Result> m_result = test::smallResult();
    const ddb_2_2::pageable_database& m_db = m_result->get_database();
};

TEST_F(Tables, ReportTheirObjectTypeNamesAndDataTypes)
{
    EXPECT_EQ(m_db.get_table_type(L"marker").str(), L"dd_single_band_obj");
    EXPECT_EQ(m_db.get_table_type(L"wait_state").str(), L"dd_single_multi_band_obj");
    EXPECT_EQ(m_db.get_table_type(L"global_event").str(), L"dd_global_band_obj");
    EXPECT_EQ(m_db.get_table_type(L"global_span").str(), L"dd_global_band_obj2");
    EXPECT_EQ(m_db.get_table_type(L"nothing").str(), L"");
    EXPECT_TRUE(m_result->check_instance_table_type(L"global_event", 2));
    EXPECT_FALSE(m_result->check_instance_table_type(L"global_event", 35));
    EXPECT_TRUE(m_result->check_instance_table_type(L"global_span", 35));
    EXPECT_FALSE(m_result->check_instance_table_type(L"nothing", 0));
}

TEST_F(Tables, SingleBandKeysAddressRowsAndObjectsKeepTheirFields)
{
    dd_single_band_table table;
    ASSERT_TRUE(table.initialize(L"marker", m_db));
    dd_single_band_table::key_iterator keys;
    ASSERT_TRUE(table.get_key_iterator(keys));
    ASSERT_FALSE(keys.at_end());
    dd_band_timeline_key key = *keys;
    EXPECT_EQ(key.get_index().get(), 0);
    EXPECT_EQ(key.get_name().str(), L"marker");
    EXPECT_EQ(key.get_value(), 7);
    EXPECT_EQ((*++keys).get_index().get(), 2);
    EXPECT_TRUE((++keys).at_end());

    dd_single_band_table::iterator objects;
    ASSERT_TRUE(table.get_data(objects, key));
    ASSERT_EQ(objects.size(), 2u);
    const dd_single_band_obj second = *++objects;
    EXPECT_EQ(second.start, 1010u);
    EXPECT_EQ(second.end, 1020u);
    EXPECT_EQ(second.value, 2);
    EXPECT_EQ(second.instance_index.get(), 1);

    key.set_index(ddb_2_2::index(1));   // a row without markers
    EXPECT_FALSE(table.get_data(objects, key));
    EXPECT_FALSE(table.initialize(L"wait_state", m_db));   // another kind
    EXPECT_FALSE(table.initialize(L"nothing", m_db));
}

TEST_F(Tables, MultiBandObjectsNameTheirSourceRow)
{
    dd_single_multi_band_table table;
    ASSERT_TRUE(table.initialize(L"wait_state", m_db));
    dd_single_multi_band_table::key_iterator keys;
    table.get_key_iterator(keys);
    dd_band_timeline_key key = *keys;
    EXPECT_EQ(key.get_index().get(), 1);
    dd_single_multi_band_table::iterator objects;
    ASSERT_TRUE(table.get_data(objects, key));
    const dd_single_multi_band_obj first = *objects;
    EXPECT_EQ(first.row_index.get(), 0);
    EXPECT_EQ(first.instance_index.get(), 0);
    EXPECT_EQ(first.start, 1010u);
    EXPECT_EQ(first.end, 1040u);
    EXPECT_EQ((*++objects).row_index.get(), 1);
    EXPECT_EQ(table.get_attribute_table().str(), L"dd_wait");
}

TEST_F(Tables, GlobalTablesAnswerTheirKeyInTimeOrder)
{
    dd_global_band_table instants;
    ASSERT_TRUE(instants.initialize(L"global_event", m_db));
    dd_global_band_table::iterator it;
    EXPECT_FALSE(instants.get_data(it, dd_global_timeline_key(L"other")));
    ASSERT_TRUE(instants.get_data(it, dd_global_timeline_key(L"global_event")));
    EXPECT_EQ((*it).time, 1005u);
    EXPECT_EQ((*it).value, 6);
    EXPECT_EQ((*++it).time, 1010u);
    EXPECT_TRUE((++it).at_end());

    dd_global_band2_table spans;
    ASSERT_TRUE(spans.initialize(L"global_span", m_db));
    dd_global_band2_table::iterator span;
    ASSERT_TRUE(spans.get_data(span, dd_global_timeline_key(L"counter")));   // by attribute table too
    EXPECT_EQ((*span).start, 1000u);
    EXPECT_EQ((*span).end, 1050u);
}

TEST_F(Tables, LifetimeBandGivesRowsLimitsAndAttributeTable)
{
    dd_band_table band(m_db);
    ASSERT_EQ(band.size(), 3u);
    EXPECT_EQ(band[1].index.get(), 1);
    EXPECT_EQ(band[1].start, 1010u);
    EXPECT_EQ(band[1].end, 1090u);
    EXPECT_EQ(band.get_attribute_table().str(), L"dd_thread");
    EXPECT_EQ(dd_band_table(m_db, L"process").size(), 0u);

    std::uint64_t start = 0;
    std::uint64_t end = 0;
    ASSERT_TRUE(dd_band::get_band_min_max(start, end, m_db));
    EXPECT_EQ(start, 1000u);
    EXPECT_EQ(end, 1100u);
    ddb_2_2::database empty;
    EXPECT_FALSE(dd_band::get_band_min_max(start, end, empty));
}

TEST_F(Tables, AttributeValuesFollowReferencedTables)
{
    dd_attribute_table threads;
    ASSERT_TRUE(threads.initialize(L"dd_thread", m_db));
    EXPECT_EQ(threads.size(), 3u);
    dd_attribute_table::key_iterator key;
    int keys = 0;
    for (threads.get_key_iterator(key); !key.at_end(); ++key)
        EXPECT_EQ((*key).get(), keys++);
    EXPECT_EQ(keys, 3);

    dd_attribute_table_data_retriever process(m_db, L"dd_thread.process.name");
    EXPECT_EQ(process.get_value(ddb_2_2::index(2)).get_string().str(), L"worker");
    EXPECT_TRUE(process.get_value(ddb_2_2::index(3)).is_nil());
    dd_attribute_table_data_retriever callsite(m_db, L"dd_wait.signal_cs.bottom_user_cs");
    EXPECT_EQ(callsite.get_value(ddb_2_2::index(0)).get_string().str(), L"a.c:10");
    EXPECT_DOUBLE_EQ(dd_attribute_table_data_retriever(m_db, L"counter.limit").get_value(ddb_2_2::index(0)).get_double(), 9.0);

    ddb_2_2::string nested;
    ASSERT_TRUE(dd_attribute_table_data_retriever(m_db, L"dd_thread.name").get_nested_table_name(nested));
    EXPECT_EQ(nested.str(), L"dd_thread");
    ASSERT_TRUE(dd_attribute_table_data_retriever(m_db, L"dd_thread.").get_nested_table_name(nested));
    EXPECT_EQ(nested.str(), L"dd_thread");
    ASSERT_TRUE(dd_attribute_table_data_retriever(m_db, L"dd_wait.wait_cs").get_nested_table_name(nested));
    EXPECT_EQ(nested.str(), L"callsite");
    dd_attribute_table viaPath;
    ASSERT_TRUE(viaPath.initialize(L"dd_wait.wait_cs", m_db, true));
    EXPECT_EQ(viaPath.size(), 2u);

    dd_attribute_table_data_retriever broken;
    EXPECT_FALSE(broken.initialize(m_db, L"dd_thread.name.more"));   // name references nothing
    EXPECT_FALSE(broken.get_nested_table_name(nested));
    EXPECT_TRUE(broken.get_value(ddb_2_2::index(0)).is_nil());
}

TEST_F(Tables, BandTableNamedLikeAnAttributeTableKeepsBothReachable)
{
    EXPECT_EQ(m_db.get_table_type(L"global_span").str(), L"dd_global_band_obj2");
    EXPECT_EQ(dd_attribute_table_data_retriever(m_db, L"global_span.name").get_value(ddb_2_2::index(0)).get_string().str(),
              L"phase");
    dd_attribute_table spans;
    ASSERT_TRUE(spans.initialize(L"global_span", m_db));
    EXPECT_EQ(spans.size(), 1u);
}

TEST_F(Tables, InstanceDataExistsForTablesAndTimedSeries)
{
    EXPECT_TRUE(dd_utility::check_instance_data_exist(L"marker", L"function", m_db));
    EXPECT_TRUE(dd_utility::check_instance_data_exist(L"marker", L"", m_db));
    EXPECT_TRUE(dd_utility::check_instance_data_exist(L"global_event", L"counter", m_db));
    EXPECT_FALSE(dd_utility::check_instance_data_exist(L"", L"function", m_db));
    EXPECT_FALSE(dd_utility::check_instance_data_exist(L"marker", L"nothing", m_db));
    EXPECT_FALSE(dd_utility::check_instance_data_exist(L"nothing", L"function", m_db));
}

TEST_F(Tables, ManipulatorManagerCarriesTimeBaseAndDisplayNames)
{
    dd_manipulator_manager manager;
    manager.set_display_name(L"stale", L"gone");
    m_result->initialize_manipulator_manager(manager);
    EXPECT_EQ(manager.get_display_name(L"stale").str(), L"stale");
    EXPECT_EQ(manager.get_display_name(L"dd_wait.signal_cs").str(), L"Signal cs");
    EXPECT_EQ(manager.ticks_to_nanoseconds(1100), 100u);
    EXPECT_EQ(manager.ticks_to_nanoseconds(900), 0u);
    EXPECT_EQ(manager.nanoseconds_to_ticks(50), 1050u);
    EXPECT_EQ(m_result->get_sarvik_display_name(L"dd_thread.start_time").str(), L"Start time");
}

// A filter display replaces its table while other workers read the previous one.
TEST_F(Tables, ReadersKeepATableAliveWhileItIsReplaced)
{
    auto band = [](std::uint64_t start) {
        std::vector<dd_band_record> records;
        for (std::int32_t row = 0; row < 50; ++row)
            records.push_back({row, start, start + 1, 0, 0, -1});
        return std::make_shared<dd_band_data>(dd_band_kind::single_band, L"dd_thread", L"filter", 0, std::move(records));
    };
    ddb_2_2::database& db = m_result->get_database();
    db.add_table(L"display", band(0));
    std::thread writer([&] {
        for (std::uint64_t i = 1; i <= 200; ++i)
            db.add_table(L"display", band(i));
    });
    std::uint64_t lastSeen = 0;
    for (int i = 0; i < 200; ++i) {
        dd_single_band_table table;
        ASSERT_TRUE(table.initialize(L"display", db));
        dd_single_band_table::iterator objects;
        ASSERT_TRUE(table.get_data(objects, dd_band_timeline_key(ddb_2_2::index(49), L"filter", 0)));
        const std::uint64_t start = (*objects).start;   // one consistent table per reader
        for (; !objects.at_end(); ++objects)
            EXPECT_EQ((*objects).start, start);
        EXPECT_GE(start, lastSeen);
        lastSeen = start;
    }
    writer.join();
}

TEST(PathFixup, ReplacesTheFirstMatchingPrefix)
{
    dd_utility::dd_path_fixup::mapping mapping;
    mapping.prefixes = {{L"/old", L"/new"}, {L"/o", L"/x"}};
    EXPECT_EQ(mapping.apply(L"/old/a.c").str(), L"/new/a.c");
    EXPECT_EQ(mapping.apply(L"/other").str(), L"/xther");
    EXPECT_EQ(mapping.apply(L"rel").str(), L"rel");
}

}  // namespace
}  // namespace dd_sarvik_2_2
