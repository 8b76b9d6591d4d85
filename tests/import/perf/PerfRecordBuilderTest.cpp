// What an import of perf script text shows, on small hand-written recordings whose right answer
// is known: rows per thread grouped by process, CPU time from samples, sample markers with their
// stacks, running and waiting states with reasons, wake-up transitions, and notes on the rest.
#include "PerfImportFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora_import {
namespace {

namespace store = dd_sarvik_2_2::store;

constexpr std::uint64_t MS = 1000000;

// Two threads of "app" (pid 100) hand the CPU to each other on CPU 0:
//   10 ms  main samples; 11 ms main sleeps in pthread_cond_wait, worker runs
//   12 ms  worker samples; 13 ms worker wakes main; 14 ms worker is preempted, main runs
//   15 ms  main samples; 16 ms a marker event of main.
const char* const HAND_OVER = R"(# recorded by hand
            main   100/100   [000]  0.010000000:    1000000 cpu-clock: 
	    1234 compute+0x10 (/opt/app/bin/app)
	    1000 main (/opt/app/bin/app)

            main   100/100   [000]  0.011000000:          1 sched:sched_switch: prev_comm=main prev_pid=100 prev_prio=120 prev_state=S ==> next_comm=worker thread next_pid=101 next_prio=120
	ffffffff82248208 __schedule+0x628 ([kernel.kallsyms])
	ffffffff82248b73 schedule+0x23 ([kernel.kallsyms])
	   99a10 __futex_abstimed_wait_common+0x8a (/usr/lib/x86_64-linux-gnu/libc.so.6)
	   9a000 pthread_cond_wait@@GLIBC_2.3.2 (/usr/lib/x86_64-linux-gnu/libc.so.6)

   worker thread   100/101   [000]  0.012000000:    1000000 cpu-clock: 
	    2000 crc32 (/usr/lib/x86_64-linux-gnu/libz.so.1)
	    2100 deflate (/usr/lib/x86_64-linux-gnu/libz.so.1)

   worker thread   100/101   [000]  0.013000000:          1 sched:sched_wakeup: comm=main pid=100 prio=120 target_cpu=000

   worker thread   100/101   [000]  0.014000000:          1 sched:sched_switch: prev_comm=worker thread prev_pid=101 prev_prio=120 prev_state=R+ ==> next_comm=main next_pid=100 next_prio=120

            main   100/100   [000]  0.015000000:    1000000 cpu-clock: 
	    1234 compute+0x10 (/opt/app/bin/app)
	    1000 main (/opt/app/bin/app)

            main   100/100   [000]  0.016000000:          1 probe_app:checkpoint: (401000)
	    1300 checkpoint (/opt/app/bin/app)
)";

class PerfRecordBuilderTest : public PerfImportFixture {};

TEST_F(PerfRecordBuilderTest, ThreadsAreRowsNamedByCommandAndIdUnderTheirProcess)
{
    ASSERT_TRUE(importText(HAND_OVER)) << m_error;
    const auto& threads = attributes(L"dd_thread");
    ASSERT_EQ(threads.instances.size(), 2u);
    EXPECT_EQ(text(L"dd_thread", 0), L"main 100");
    EXPECT_EQ(text(L"dd_thread", 1), L"worker thread 101");
    EXPECT_EQ(text(L"dd_thread", 1, 1), L"main 100") << "a process is named by its main thread";
    EXPECT_EQ(std::get<std::int64_t>(threads.instances[1][2]), 100);
    EXPECT_EQ(std::get<std::int64_t>(threads.instances[1][3]), 101);
    // Tick 0 is the earliest moment: the start of main's first sample (9 ms).
    ASSERT_EQ(m_records.lifetimes.size(), 2u);
    EXPECT_EQ(m_records.lifetimes[0].start, 0u);
    EXPECT_EQ(m_records.lifetimes[0].end, 7 * MS);
    EXPECT_EQ(m_records.lifetimes[1].start, 2 * MS) << "worker is first seen when switched to";
    EXPECT_EQ(m_records.lifetimes[1].end, 5 * MS);
    EXPECT_EQ(m_records.duration, 7 * MS);
}

TEST_F(PerfRecordBuilderTest, SamplesGiveCpuTimeOfTheirFunctionAndMarkersWithTheirStack)
{
    ASSERT_TRUE(importText(HAND_OVER)) << m_error;
    const auto& taken = samples();
    ASSERT_EQ(taken.size(), 3u);
    // Each cpu-clock sample stands for its period before it, but never reaches back before
    // the thread last came onto the CPU.
    EXPECT_EQ(taken[0].row, 0);
    EXPECT_EQ(taken[0].start, 0u);
    EXPECT_EQ(taken[0].end, 1 * MS);
    EXPECT_EQ(taken[1].row, 0);
    EXPECT_EQ(taken[1].start, 5 * MS);
    EXPECT_EQ(taken[1].end, 6 * MS);
    EXPECT_EQ(taken[2].row, 1);
    EXPECT_EQ(taken[2].start, 2 * MS) << "worker ran from 11 ms on";
    EXPECT_EQ(taken[2].end, 3 * MS);
    EXPECT_EQ(text(L"function", static_cast<std::size_t>(taken[0].instanceIndex)), L"compute");
    EXPECT_EQ(text(L"function", static_cast<std::size_t>(taken[0].instanceIndex), 1), L"app");
    EXPECT_EQ(text(L"function", static_cast<std::size_t>(taken[2].instanceIndex)), L"crc32");
    EXPECT_EQ(taken[0].instanceIndex, taken[1].instanceIndex);

    const auto markers = objectsOn(L"marker_instant", 0);
    ASSERT_EQ(markers.size(), 3u) << "two samples and the probe";
    const auto sample = static_cast<std::size_t>(markers[0].instanceIndex);
    EXPECT_EQ(text(L"marker", sample), L"cpu-clock");
    EXPECT_EQ(text(L"marker", sample, 1), L"CPU sample");
    EXPECT_EQ(text(L"marker", sample, 2), L"compute (app)\nmain (app)") << "the top frames, leaf first";
    const auto probe = static_cast<std::size_t>(markers[2].instanceIndex);
    EXPECT_EQ(text(L"marker", probe), L"probe_app:checkpoint");
    EXPECT_EQ(text(L"marker", probe, 1), L"event");
    EXPECT_EQ(text(L"marker", probe, 2), L"checkpoint (app)");
    EXPECT_EQ(markers[2].start, 7 * MS);
    EXPECT_TRUE(hasNote("1 event(s) \"probe_app:checkpoint\" are shown as markers"));
}

TEST_F(PerfRecordBuilderTest, SwitchesGiveStatesAndWakeUpsTransitionsNamedByTheWait)
{
    ASSERT_TRUE(importText(HAND_OVER)) << m_error;
    const int main = 0;
    const int worker = 1;
    const auto ownStates = objectsOn(L"wait_state", main, main);
    ASSERT_EQ(ownStates.size(), 3u);
    EXPECT_EQ(ownStates[0].value, 1) << "running";
    EXPECT_EQ(ownStates[0].start, 0u);
    EXPECT_EQ(ownStates[0].end, 2 * MS);
    EXPECT_EQ(ownStates[1].value, 0) << "waiting";
    EXPECT_EQ(ownStates[1].start, 2 * MS);
    EXPECT_EQ(ownStates[1].end, 5 * MS);
    EXPECT_EQ(text(L"dd_wait", static_cast<std::size_t>(ownStates[1].instanceIndex)),
              L"sleeping in pthread_cond_wait@@GLIBC_2.3.2 (libc.so.6)");
    EXPECT_EQ(ownStates[2].value, 1);
    EXPECT_EQ(ownStates[2].start, 5 * MS);
    EXPECT_EQ(ownStates[2].end, 7 * MS);

    // The transition: from worker at the wake-up (13 ms) to main when it ran again (14 ms).
    const auto transitions = objectsOn(L"wait_state", main, worker);
    ASSERT_EQ(transitions.size(), 1u);
    EXPECT_EQ(transitions[0].start, 4 * MS);
    EXPECT_EQ(transitions[0].end, 5 * MS);
    EXPECT_EQ(transitions[0].instanceIndex, ownStates[1].instanceIndex) << "named by the wait it ended";

    const auto workerStates = objectsOn(L"wait_state", worker, worker);
    ASSERT_EQ(workerStates.size(), 2u);
    EXPECT_EQ(workerStates[0].value, 1);
    EXPECT_EQ(workerStates[0].start, 2 * MS);
    EXPECT_EQ(workerStates[1].value, 0);
    EXPECT_EQ(text(L"dd_wait", static_cast<std::size_t>(workerStates[1].instanceIndex)), L"preempted");
    EXPECT_TRUE(objectsOn(L"wait_state", worker, main).empty());
}

TEST_F(PerfRecordBuilderTest, WakeUpOfAThreadNotSeenBeforeEndsAWaitBeginningThere)
{
    ASSERT_TRUE(importText("a 1/1 [000] 1.000000: 1 sched:sched_wakeup_new: comm=b pid=2 prio=120 target_cpu=001\n"
                           "a 1/1 [000] 1.000500: 1 sched:sched_waking: comm=b pid=2 prio=120 target_cpu=001\n"
                           "a 1/1 [001] 1.002000: 1 sched:sched_switch: prev_comm=a prev_pid=1 prev_prio=120 "
                           "prev_state=D ==> next_comm=b next_pid=2 next_prio=120\n"))
        << m_error;
    const int a = rowNamed(L"a 1");
    const int b = rowNamed(L"b 2");
    ASSERT_GE(b, 0);
    const auto transitions = objectsOn(L"wait_state", b, a);
    ASSERT_EQ(transitions.size(), 1u) << "the second wake-up of the same wait adds nothing";
    EXPECT_EQ(transitions[0].start, 0u);
    EXPECT_EQ(transitions[0].end, 2 * MS);
    EXPECT_EQ(text(L"dd_wait", static_cast<std::size_t>(transitions[0].instanceIndex)), L"new");
    const auto aStates = objectsOn(L"wait_state", a, a);
    ASSERT_EQ(aStates.size(), 2u);
    EXPECT_EQ(text(L"dd_wait", static_cast<std::size_t>(aStates[1].instanceIndex)), L"disk");
}

TEST_F(PerfRecordBuilderTest, IdleThreadsAreOnePerCpu)
{
    ASSERT_TRUE(importText("swapper 0/0 [000] 1.0: 1 sched:sched_switch: prev_comm=swapper/0 prev_pid=0 prev_prio=120 "
                           "prev_state=R ==> next_comm=a next_pid=5 next_prio=120\n"
                           "swapper 0/0 [001] 1.1: 1 sched:sched_switch: prev_comm=swapper/1 prev_pid=0 prev_prio=120 "
                           "prev_state=R ==> next_comm=b next_pid=6 next_prio=120\n"))
        << m_error;
    EXPECT_EQ(attributes(L"dd_thread").instances.size(), 4u);
    EXPECT_GE(rowNamed(L"swapper/0"), 0);
    EXPECT_GE(rowNamed(L"swapper/1"), 0);
    EXPECT_EQ(text(L"dd_thread", static_cast<std::size_t>(rowNamed(L"swapper/1")), 1), L"swapper 0");
}

TEST_F(PerfRecordBuilderTest, SwitchOfAThreadPerfNoLongerKnewIsItsPrevious)
{
    ASSERT_TRUE(importText("b 5/6 [000] 2.0: 1 sched:sched_switch: prev_comm=b prev_pid=6 prev_prio=120 prev_state=S ==> "
                           "next_comm=a next_pid=5 next_prio=120\n"
                           ":-1 5/-1 [000] 2.1: 1 sched:sched_switch: prev_comm=a prev_pid=5 prev_prio=120 "
                           "prev_state=X ==> next_comm=c next_pid=7 next_prio=120\n"
                           ":-1 5/-1 [000] 2.2: 250000 cpu-clock: \n"))
        << m_error;
    const int a = rowNamed(L"a 5");
    ASSERT_GE(a, 0);
    const auto states = objectsOn(L"wait_state", a, a);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(text(L"dd_wait", static_cast<std::size_t>(states[1].instanceIndex)), L"dead");
    EXPECT_EQ(attributes(L"dd_thread").instances.size(), 3u);
    EXPECT_TRUE(hasNote("1 event(s) of threads that had ended before perf read them were skipped"));
    EXPECT_FALSE(hasNote("no process ids"));
}

TEST_F(PerfRecordBuilderTest, CountedSamplesStandForTheTypicalGapAndNotesTellWhatIsMissing)
{
    // cycles without sched events or process ids: 1 ms apart while running, one after a pause.
    ASSERT_TRUE(importText("app 7 1.000: 500000 cycles:u:  10 f (/bin/app)\n"
                           "app 7 1.001: 500000 cycles:u:  10 f (/bin/app)\n"
                           "app 7 1.002: 500000 cycles:u:  10 f (/bin/app)\n"
                           "app 7 1.050: 500000 cycles:u:  10 f (/bin/app)\n"
                           "app 7 1.051: 600 instructions:u:  10 f (/bin/app)\n"
                           "garbage line\n"))
        << m_error;
    const auto& taken = samples();
    ASSERT_EQ(taken.size(), 4u);
    for (const auto& sample : taken)
        EXPECT_EQ(sample.end - sample.start, 1 * MS);
    EXPECT_TRUE(band(L"wait_state").objects.empty());
    EXPECT_TRUE(hasNote("no sched:sched_switch events"));
    EXPECT_TRUE(hasNote("no process ids"));
    EXPECT_TRUE(hasNote("1 line(s) were not perf script output"));
    EXPECT_TRUE(hasNote("1 event(s) \"instructions:u\" are shown as markers"));
}

// Stacks repeat, so what is read from one is reused for the next with the same lines: only as
// far as those lines decide it.
TEST_F(PerfRecordBuilderTest, EventsWithTheSameLeadingStackLinesShareOnlyWhatTheirFramesShare)
{
    const auto sample = [](const char* time, const char* name, const char* second, const char* sixth) {
        return std::string("app 1/1 [000] ") + time + ": 1000 " + name + ": \n\t1 a (/bin/app)\n\t" + second +
               "\n\t3 c (/bin/app)\n\t4 d (/bin/app)\n\t5 e (/bin/app)\n\t6 " + sixth + " (/bin/app)\n\n";
    };
    ASSERT_TRUE(importText(sample("1.000", "cpu-clock", "2 b (/bin/app)", "f") +
                           sample("1.001", "cpu-clock", "2 b (/bin/app)", "g") +
                           sample("1.002", "cpu-clock", "not a frame", "f") +
                           sample("1.003", "cpu-clock", "not a frame", "g") +
                           sample("1.004", "cycles", "2 b (/bin/app)", "f") +
                           "app 1/1 [000] 1.005: 1 sched:sched_switch: prev_comm=app prev_pid=1 prev_prio=120 "
                           "prev_state=S ==> next_comm=app next_pid=2 next_prio=120\n\t1 a (/bin/app)\n\n"
                           "app 1/2 [000] 1.006: 1 sched:sched_switch: prev_comm=app prev_pid=2 prev_prio=120 "
                           "prev_state=D ==> next_comm=app next_pid=1 next_prio=120\n\t1 a (/bin/app)\n"))
        << m_error;
    const auto markers = objectsOn(L"marker_instant", rowNamed(L"app 1"));
    ASSERT_EQ(markers.size(), 5u);
    const auto stackOf = [&](std::size_t at) {
        return text(L"marker", static_cast<std::size_t>(markers[at].instanceIndex), 2);
    };
    EXPECT_EQ(markers[0].instanceIndex, markers[1].instanceIndex) << "the top five frames are the same";
    EXPECT_EQ(stackOf(2), L"a (app)\nc (app)\nd (app)\ne (app)\nf (app)") << "a line that is no frame is passed over";
    EXPECT_EQ(stackOf(3), L"a (app)\nc (app)\nd (app)\ne (app)\ng (app)") << "and the sixth line decides";
    EXPECT_EQ(text(L"marker", static_cast<std::size_t>(markers[4].instanceIndex)), L"cycles");
    EXPECT_EQ(attributes(L"function").instances.size(), 1u) << "only samples of CPU time name functions";

    const auto waits = band(L"wait_state").objects;
    std::vector<std::wstring> reasons;
    for (const auto& state : waits)
        if (state.value == 0)
            reasons.push_back(text(L"dd_wait", static_cast<std::size_t>(state.instanceIndex)));
    EXPECT_NE(std::find(reasons.begin(), reasons.end(), L"sleeping in a (app)"), reasons.end());
    EXPECT_NE(std::find(reasons.begin(), reasons.end(), L"disk in a (app)"), reasons.end())
        << "one stack, two reasons: two waits";
}

TEST_F(PerfRecordBuilderTest, TextWithoutEventsIsRefusedByName)
{
    EXPECT_FALSE(importText("# only a comment\n"));
    EXPECT_FALSE(m_error.empty());
}

} // namespace
} // namespace velmora_import
