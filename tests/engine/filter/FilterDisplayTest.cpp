// The timeline filter display: per-row intervals on a small hand-written result, reuse by
// timestamps, recomputation after a write, and cancellation from another thread.

#include "FilterTestResult.h"

#include <dd_sarvik_2_2/dd_band_data.h>
#include <dd_sarvik_2_2/dd_progress_impl.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp_list.h>
#include <dd_sarvik_2_2/filter/dd_tl_filter_display.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

using namespace dd_sarvik_2_2;
using filter_test::FilterTestResult;
using filter_test::item;

namespace {

using Spans = std::vector<std::pair<std::uint64_t, std::uint64_t>>;
using Band = std::map<int, Spans>;   // key index -> intervals

const ddb_2_2::string displayName = L"timeline_filter_area_0";

// The stored records, by key; the display is read back as stored, row by row.
Band readBand(const ddb_2_2::database& db, const ddb_2_2::string& table)
{
    Band band;
    const auto data = std::dynamic_pointer_cast<const dd_band_data>(db.get_table(table));
    if (!data)
        return band;
    EXPECT_EQ(data->kind(), dd_band_kind::single_band);
    for (const dd_band_record& record : data->records())
        band[record.row].emplace_back(record.start, record.end);
    return band;
}

// What the timeline's provider does to decide whether its display is current.
bool displayIsCurrent(ddb_2_2::database& db)
{
    const auto saved = dd_filter_timestamp_list::get_filter_timestamps(displayName, db);
    if (saved.empty())
        return false;
    for (const auto& stamp : saved) {
        if (!dd_filter(db, stamp.get_filter_name()).check_timestamp(stamp.get_profile_ts(), stamp.get_time_ts()))
            return false;
    }
    return true;
}

void saveTimestamps(ddb_2_2::database& db)
{
    dd_filter_timestamp_list(displayName, dd_filter_timestamp::get_profile_filter_ts(displayName, db),
                             dd_filter_timestamp::get_time_filter_ts(displayName, db))
        .set_filter_timestamp(db);
}

// A progress object that runs a hook on the computing thread after a given step.
class SteppingProgress : public dd_progress_impl {
public:
    SteppingProgress(int atStep, std::function<void()> hook) : m_atStep(atStep), m_hook(std::move(hook)) {}
    int finishes() const { return m_finishes; }

protected:
    void onProgress(double) override
    {
        if (++m_steps == m_atStep)
            m_hook();
    }
    void onFinish() override { ++m_finishes; }

private:
    int m_atStep;
    std::function<void()> m_hook;
    int m_steps = 0;
    int m_finishes = 0;
};

class FilterDisplay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_result.isOpen()); }
    ddb_2_2::database& db() { return m_result.database(); }

    FilterTestResult m_result;
};

}  // namespace

TEST_F(FilterDisplay, RowsAndTimeOfTheGlobalFilterCutTheLifetimes)
{
    dd_tl_filter_display display(db());
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", dd_query(), nullptr));
    EXPECT_EQ(db().get_table_type(displayName), ddb_2_2::string(L"dd_single_band_obj"));
    EXPECT_EQ(readBand(db(), displayName),
              (Band{{-1, {{0, 300}}}, {0, {{0, 100}}}, {1, {{50, 200}}}, {2, {{150, 300}}}}));

    dd_filter global(db(), dd_filter::global_name);
    global.add_time_filter(40, 159);
    global.add_time_filter(290, 1000);
    global.add_profile_filter({item(L"dd_thread", 0), item(L"dd_thread", 2)});
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", dd_query(), nullptr));
    const Spans whole = {{40, 100}, {150, 160}, {290, 300}};
    EXPECT_EQ(readBand(db(), displayName), (Band{{-1, whole}, {0, {{40, 100}}}, {2, {{150, 160}, {290, 300}}}}));

    // An area without rows gets the one band of the whole area.
    ASSERT_TRUE(display.compute_tl_filter_display(L"timeline_filter_area_-1", L"", dd_query(), nullptr));
    EXPECT_EQ(readBand(db(), L"timeline_filter_area_-1"), (Band{{-1, whole}}));
}

TEST_F(FilterDisplay, BandTableQueryShowsWhereItsObjectsPass)
{
    const dd_query markers(L"marker");
    const auto table = dd_tl_filter_display::get_filter_table_name(displayName, markers);
    EXPECT_EQ(table, ddb_2_2::string(L"timeline_filter_area_0.marker"));
    dd_tl_filter_display display(db());

    // Touching objects merge into one interval; the instant stays an instant.
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", markers, nullptr));
    EXPECT_EQ(readBand(db(), table), (Band{{-1, {{10, 30}, {60, 70}, {160, 170}, {250, 250}}},
                                           {0, {{10, 30}, {60, 70}}},
                                           {2, {{160, 170}, {250, 250}}}}));

    dd_filter global(db(), dd_filter::global_name);
    global.add_profile_filter({item(L"marker_kind", 1, true)});
    global.add_profile_filter({item(L"dd_thread", 1, true)});
    global.add_time_filter(0, 255);
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", markers, nullptr));
    EXPECT_EQ(readBand(db(), table), (Band{{-1, {{10, 20}, {60, 70}, {250, 250}}},
                                           {0, {{10, 20}, {60, 70}}},
                                           {2, {{250, 250}}}}));

    EXPECT_FALSE(display.compute_tl_filter_display(displayName, L"dd_thread", dd_query(L"no_such_table"), nullptr));

    // Clearing removes every table of the display name.
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", dd_query(), nullptr));
    display.clear_tl_filter_display(displayName);
    EXPECT_FALSE(db().has_table(table));
    EXPECT_FALSE(db().has_table(displayName));
}

TEST_F(FilterDisplay, IsReusedWhileTimestampsMatchAndRecomputedAfterAWrite)
{
    dd_tl_filter_display display(db());
    EXPECT_FALSE(displayIsCurrent(db()));   // nothing saved yet
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", dd_query(), nullptr));
    saveTimestamps(db());
    EXPECT_TRUE(displayIsCurrent(db()));

    dd_filter global(db(), dd_filter::global_name);
    global.has_filters();
    EXPECT_TRUE(displayIsCurrent(db()));   // reading is no write

    global.add_profile_filter({item(L"dd_thread", 1)});
    EXPECT_FALSE(displayIsCurrent(db()));
    display.clear_tl_filter_display(displayName);
    EXPECT_FALSE(displayIsCurrent(db()));   // clearing forgets the saved timestamps too
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", dd_query(), nullptr));
    saveTimestamps(db());
    EXPECT_TRUE(displayIsCurrent(db()));
    EXPECT_EQ(readBand(db(), displayName), (Band{{-1, {{50, 200}}}, {1, {{50, 200}}}}));

    // Writing another filter leaves the display current.
    dd_filter(db(), dd_filter::selection_name).add_time_filter(0, 1);
    EXPECT_TRUE(displayIsCurrent(db()));
}

TEST_F(FilterDisplay, AWriteDuringTheComputationIsCaughtByTheNextCheck)
{
    dd_filter global(db(), dd_filter::global_name);
    SteppingProgress progress(1, [&global] { global.add_profile_filter({item(L"dd_thread", 2)}); });
    dd_tl_filter_display display(db());
    ASSERT_TRUE(display.compute_tl_filter_display(displayName, L"dd_thread", dd_query(), &progress));
    saveTimestamps(db());

    // The display shows the filter as it was when the computation began ...
    EXPECT_EQ(readBand(db(), displayName).size(), 4u);
    // ... and is not taken for current, since the filter moved on.
    EXPECT_FALSE(displayIsCurrent(db()));
    EXPECT_EQ(progress.finishes(), 1);
}

TEST_F(FilterDisplay, CancelledFromAnotherThreadStoresNothing)
{
    std::mutex lock;
    std::condition_variable changed;
    bool reached = false;
    // The computing thread waits after its first row until the other thread has cancelled, so
    // the cancellation lands mid-computation on every run.
    SteppingProgress progress(1, [&] {
        std::unique_lock<std::mutex> guard(lock);
        reached = true;
        changed.notify_all();
        changed.wait(guard, [&] { return progress.is_canceled(); });
    });
    std::thread canceller([&] {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return reached; });
        progress.cancel();
        changed.notify_all();
    });
    const bool computed =
        dd_tl_filter_display(db()).compute_tl_filter_display(displayName, L"dd_thread", dd_query(), &progress);
    canceller.join();

    EXPECT_FALSE(computed);
    EXPECT_FALSE(db().has_table(displayName));
    EXPECT_EQ(progress.get_steps_done(), 1.0);
    EXPECT_EQ(progress.get_total_steps(), 3.0);
    EXPECT_EQ(progress.finishes(), 1);
    EXPECT_EQ(dd_filter_timestamp::get_profile_filter_ts(displayName, db()), 0u);
}
