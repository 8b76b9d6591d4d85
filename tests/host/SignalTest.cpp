#include <mirrow2/signal_t.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Signal, CallsSlotsInConnectionOrderWithTheArgument)
{
    mirrow2::signal_t<const std::wstring&> signal;
    std::vector<std::wstring> calls;
    const auto first = signal.connect([&](const std::wstring& text) { calls.push_back(L"a:" + text); });
    const auto second = signal.connect([&](const std::wstring& text) { calls.push_back(L"b:" + text); });
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    signal.raise(L"x");
    EXPECT_TRUE(signal.disconnect(first));
    EXPECT_FALSE(signal.disconnect(first));
    signal.raise(L"y");
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"a:x", L"b:x", L"b:y"}));
}

TEST(Signal, SlotsMayChangeConnectionsWhileRaised)
{
    mirrow2::signal_t<> signal;
    int selfCalls = 0;
    int victimCalls = 0;
    int lateCalls = 0;
    mirrow2::signal_t<>::connection_id_t self = 0;
    mirrow2::signal_t<>::connection_id_t victim = 0;
    // The self-disconnecting slot owns captured state that must survive its own call.
    auto owned = std::make_shared<int>(0);
    self = signal.connect([&, owned] {
        ++selfCalls;
        signal.disconnect(self);
        signal.disconnect(victim);
        signal.connect([&] { ++lateCalls; });
        ++*owned;
    });
    victim = signal.connect([&] { ++victimCalls; });

    signal.raise();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(victimCalls, 0) << "a slot disconnected before its turn must not run";
    EXPECT_EQ(lateCalls, 0) << "a slot connected during a raise waits for the next one";
    signal.raise();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(lateCalls, 1);
    EXPECT_EQ(signal.slot_count(), 1u);
    EXPECT_EQ(owned.use_count(), 1);
    signal.disconnect_all();
    signal.raise();
    EXPECT_EQ(lateCalls, 1);
}

TEST(Signal, RacingConnectDisconnectAndRaiseStaysConsistent)
{
    mirrow2::signal_t<int> signal;
    std::atomic<bool> stop{false};
    std::atomic<long> calls{0};
    std::atomic<int> selfRemovals{0};

    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&] {
            while (!stop)
                signal.raise(1);
        });
    }
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                const auto id = signal.connect([&calls](int value) { calls += value; });
                // Slots that remove themselves from whichever thread raises them.
                auto selfId = std::make_shared<std::atomic<mirrow2::signal_t<int>::connection_id_t>>(0);
                *selfId = signal.connect([&signal, &selfRemovals, selfId](int) {
                    if (signal.disconnect(*selfId))
                        ++selfRemovals;
                });
                EXPECT_TRUE(signal.disconnect(id));
                // The self-removing slot may not have run yet; remove it here when so.
                if (signal.disconnect(*selfId))
                    ++selfRemovals;
            }
        });
    }
    for (std::size_t t = 2; t < threads.size(); ++t)
        threads[t].join();
    stop = true;
    threads[0].join();
    threads[1].join();

    EXPECT_EQ(selfRemovals, 4000) << "every slot is removed exactly once";
    EXPECT_EQ(signal.slot_count(), 0u);
    const long before = calls;
    signal.raise(1);
    EXPECT_EQ(calls, before);
}

} // namespace
