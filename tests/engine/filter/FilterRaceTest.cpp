// Filters written on one thread while others evaluate them, on purpose. Run under
// ThreadSanitizer too: the store's lock and the immutable snapshots are what keep these clean.

#include "FilterTestResult.h"

#include <dd_sarvik_2_2/dd_band_data.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_eval.h>
#include <dd_sarvik_2_2/filter/dd_filter_store.h>
#include <dd_sarvik_2_2/filter/dd_tl_filter_display.h>
#include <ddb_2_2/database.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using namespace dd_sarvik_2_2;
using Index = ddb_2_2::index;
using filter_test::item;

namespace {

constexpr int rounds = 2000;

// Writes round k as: clear, time item [10k, 10k + 5], then row k.
void writeRounds(ddb_2_2::database& db, std::atomic<bool>& done)
{
    dd_filter global(db, dd_filter::global_name);
    for (int k = 0; k < rounds; ++k) {
        global.clear_filters();
        global.add_time_filter(10 * k, 10 * k + 5);
        global.add_profile_filter({item(L"dd_thread", k)});
    }
    done = true;
}

}  // namespace

TEST(FilterRace, EvaluatorsAlwaysSeeAWholeStateWhileTheUiThreadWrites)
{
    ddb_2_2::database db;
    dd_filter_store::attach(db);
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::atomic<int> evaluated{0};
    std::atomic<int> running{0};

    auto evaluate = [&] {
        std::uint64_t lastStamp = 0;
        ++running;
        do {
            const dd_filter_eval eval(db);
            const auto& state = *eval.get_states().front();
            const std::uint64_t stamp = std::max(state.profile_ts, state.time_ts);
            if (stamp < lastStamp)
                ++torn;   // stamps went backwards
            lastStamp = stamp;
            if (!state.profile_items.empty()) {
                // A row item is only written after its round's time item.
                const std::int64_t k = state.profile_items.front().get_value().get_int64();
                const bool whole = state.profile_items.size() == 1 && state.time_items.size() == 1 &&
                                   state.time_items.front() == dd_time_filter(10 * k, 10 * k + 5) &&
                                   eval.check_filter(L"dd_thread", Index(static_cast<std::int32_t>(k))) &&
                                   !eval.check_filter(L"dd_thread", Index(static_cast<std::int32_t>(k + 1))) &&
                                   eval.check_time(10 * k + 5, 10 * k + 5) && !eval.check_time(10 * k + 6, 10 * k + 9);
                if (!whole)
                    ++torn;
            }
            ++evaluated;
        } while (!done);
    };

    std::thread first(evaluate);
    std::thread second(evaluate);
    while (running < 2)
        std::this_thread::yield();
    writeRounds(db, done);
    first.join();
    second.join();

    EXPECT_EQ(torn, 0);
    EXPECT_GT(evaluated, 0);
    EXPECT_EQ(dd_filter(db, dd_filter::global_name).get_profile_filters(),
              std::vector<dd_attribute_filter>{item(L"dd_thread", rounds - 1)});
}

TEST(FilterRace, ThreadsOfOneQueryShareOneReductionPerTable)
{
    ddb_2_2::database db;
    dd_filter(db, dd_filter::global_name).add_profile_filter({item(L"dd_thread", 3)});
    const dd_filter_eval eval(db);
    std::shared_ptr<const reduced_attribute_filter> seen[4];
    std::vector<std::thread> workers;
    for (auto& slot : seen)
        workers.emplace_back([&eval, &slot] { slot = eval.get_reduced(L"dd_thread"); });
    for (auto& worker : workers)
        worker.join();
    for (const auto& reduced : seen)
        EXPECT_EQ(reduced, eval.get_reduced(L"dd_thread"));
    EXPECT_TRUE(seen[0]->check_filter(Index(3)));
    EXPECT_FALSE(seen[0]->check_filter(Index(2)));
}

TEST(FilterRace, FirstUsersOnTwoThreadsAttachOneStore)
{
    for (int i = 0; i < 50; ++i) {
        ddb_2_2::database db;
        std::thread other([&db] { dd_filter(db, dd_filter::selection_name).add_time_filter(1, 2); });
        dd_filter(db, dd_filter::global_name).add_time_filter(3, 4);
        other.join();
        ASSERT_TRUE(dd_filter(db, dd_filter::selection_name).has_filters()) << "round " << i;
        ASSERT_TRUE(dd_filter(db, dd_filter::global_name).has_filters()) << "round " << i;
    }
}

TEST(FilterRace, DisplayComputesFromOneStateWhileTheFilterChanges)
{
    filter_test::FilterTestResult result;
    ASSERT_TRUE(result.isOpen());
    ddb_2_2::database& db = result.database();
    std::atomic<bool> done{false};
    std::thread writer([&] {
        dd_filter global(db, dd_filter::global_name);
        for (int k = 0; k < 500; ++k) {
            global.clear_filters();
            global.add_profile_filter({item(L"dd_thread", k % 3)});
        }
        done = true;
    });

    // Each computed band shows one row whole, or all rows (a cleared filter): never a mixture.
    dd_tl_filter_display display(db);
    int mixed = 0;
    do {
        const bool computed = display.compute_tl_filter_display(L"area", L"dd_thread", dd_query(), nullptr);
        const auto band = std::dynamic_pointer_cast<const dd_band_data>(db.get_table(L"area"));
        // Key -1 plus one row, or plus all three rows.
        if (!computed || !band || (band->rows().size() != 2 && band->rows().size() != 4))
            ++mixed;
    } while (!done);
    writer.join();
    EXPECT_EQ(mixed, 0);
}
