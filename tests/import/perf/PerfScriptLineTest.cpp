// The pieces that read perf script text: event lines in the shapes different field lists give,
// frames, scheduler fields, event kinds, the perf.data header, and the stream reader's buffer
// boundaries.
#include "perf/PerfDataHeader.h"
#include "perf/PerfDataRecordReader.h"
#include "perf/PerfEventKind.h"
#include "perf/PerfScriptLine.h"
#include "perf/PerfScriptReader.h"
#include "perf/SchedPayload.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace velmora_import {
namespace {

TEST(PerfScriptLineTest, ReadsEventLinesOfEveryFieldList)
{
    PerfEvent event;
    // Our own field list: pid/tid, CPU, nanoseconds, period, tracepoint fields.
    ASSERT_TRUE(PerfScriptLine::parseHeader("     Web Content  4021/4030 [001]  1082.545664123:          1 "
                                            "sched:sched_switch: prev_comm=Web Content prev_pid=4030",
                                            event));
    EXPECT_EQ(event.comm, "Web Content");
    EXPECT_EQ(event.pid, 4021);
    EXPECT_EQ(event.tid, 4030);
    EXPECT_EQ(event.cpu, 1);
    EXPECT_EQ(event.time, 1082545664123u);
    EXPECT_EQ(event.period, 1u);
    EXPECT_EQ(event.name, "sched:sched_switch");
    EXPECT_EQ(event.payload, "prev_comm=Web Content prev_pid=4030");

    // perf script's defaults for a per-process recording: thread id only, microseconds.
    ASSERT_TRUE(PerfScriptLine::parseHeader("kworker/u8:0-ev 99   606.223320:     250000 cpu-clock:ppp: ", event));
    EXPECT_EQ(event.comm, "kworker/u8:0-ev");
    EXPECT_EQ(event.pid, -1);
    EXPECT_EQ(event.tid, 99);
    EXPECT_EQ(event.cpu, -1);
    EXPECT_EQ(event.time, 606223320000u);
    EXPECT_EQ(event.period, 250000u);
    EXPECT_EQ(event.name, "cpu-clock:ppp");
    EXPECT_EQ(event.payload, "");

    // No period, a frame on the same line.
    ASSERT_TRUE(PerfScriptLine::parseHeader("sleep 7/8 [000] 5.000000001: cycles:u:  7f12 main+0x4 (/bin/sleep)", event));
    EXPECT_EQ(event.period, 0u);
    EXPECT_EQ(event.name, "cycles:u");
    EXPECT_EQ(event.payload, "7f12 main+0x4 (/bin/sleep)");

    for (const char* other : {"\tffffffff813b4dc5 ttwu_do_activate+0x175 ([kernel.kallsyms])",
                              "# captured on: Sun Dec  6", "hello world", "", "comm 12 3.5 cpu-clock:",
                              "comm x/12 3.5: cpu-clock:"})
        EXPECT_FALSE(PerfScriptLine::parseHeader(other, event)) << other;
}

TEST(PerfScriptLineTest, ReadsFramesWithoutOffsetsAndWithModuleFileNames)
{
    PerfFrame frame;
    ASSERT_TRUE(PerfScriptLine::parseFrame("\t    ffffffff813b4dc5 ttwu_do_activate+0x175 ([kernel.kallsyms])", frame));
    EXPECT_EQ(frame.symbol, "ttwu_do_activate");
    EXPECT_EQ(frame.module, "[kernel.kallsyms]");
    ASSERT_TRUE(PerfScriptLine::parseFrame(
        "\t  55d0 std::vector<int, std::allocator<int> >::push_back(int const&) (/usr/lib/x86_64-linux-gnu/libfoo.so.1)",
        frame));
    EXPECT_EQ(frame.symbol, "std::vector<int, std::allocator<int> >::push_back(int const&)");
    EXPECT_EQ(frame.module, "libfoo.so.1");
    ASSERT_TRUE(PerfScriptLine::parseFrame("\t73ca32 [unknown] (/usr/lib/gcc/x86_64-linux-gnu/12/cc1plus)", frame));
    EXPECT_EQ(frame.symbol, "[unknown]");
    EXPECT_EQ(frame.module, "cc1plus");
    EXPECT_FALSE(PerfScriptLine::parseFrame("\tnot a frame", frame));
    EXPECT_FALSE(PerfScriptLine::parseFrame("\tzz12 f (lib)", frame));

    ASSERT_TRUE(PerfScriptLine::trailingFrame(
        "prev_comm=a b prev_pid=1 prev_state=S ==> next_comm=c next_pid=2 next_prio=0 ffffffff82248208 __schedule "
        "([kernel.kallsyms])",
        frame));
    EXPECT_EQ(frame.symbol, "__schedule");
    EXPECT_FALSE(PerfScriptLine::trailingFrame("comm=a pid=1 prio=120 target_cpu=000", frame));
}

TEST(PerfScriptLineTest, ReadsSchedulerFieldsWithSpacesInCommands)
{
    SchedSwitch change;
    ASSERT_TRUE(SchedPayload::parseSwitch("prev_comm=Web Content prev_pid=4030 prev_prio=120 prev_state=D|K ==> "
                                          "next_comm=swapper/1 next_pid=0 next_prio=120",
                                          change));
    EXPECT_EQ(change.prevComm, "Web Content");
    EXPECT_EQ(change.prevTid, 4030);
    EXPECT_EQ(change.prevState, "D|K");
    EXPECT_EQ(change.nextComm, "swapper/1");
    EXPECT_EQ(change.nextTid, 0);
    EXPECT_FALSE(SchedPayload::parseSwitch("prev_comm=a prev_pid=1 prev_state=S", change));

    SchedWakeup wakeup;
    ASSERT_TRUE(SchedPayload::parseWakeup("comm=my worker pid=77 prio=120 success=1 target_cpu=001", wakeup));
    EXPECT_EQ(wakeup.comm, "my worker");
    EXPECT_EQ(wakeup.tid, 77);
    EXPECT_FALSE(SchedPayload::parseWakeup("comm=x pid=abc prio=1", wakeup));

    EXPECT_EQ(SchedPayload::reason("S"), "sleeping");
    EXPECT_EQ(SchedPayload::reason("D|K"), "disk");
    EXPECT_EQ(SchedPayload::reason("R+"), "preempted");
    EXPECT_EQ(SchedPayload::reason("R"), "preempted");
    EXPECT_EQ(SchedPayload::reason("I"), "idle");
}

TEST(PerfScriptLineTest, ToldEventKindsByName)
{
    for (const char* sample : {"cpu-clock", "cpu-clock:ppp", "task-clock", "cycles", "cycles:u", "cpu/cycles/P",
                               "cpu_core/cpu-cycles/"})
        EXPECT_EQ(PerfEventKinds::of(sample), PerfEventKind::cpuSample) << sample;
    EXPECT_EQ(PerfEventKinds::of("sched:sched_switch"), PerfEventKind::schedSwitch);
    EXPECT_EQ(PerfEventKinds::of("sched:sched_waking"), PerfEventKind::wakeup);
    EXPECT_EQ(PerfEventKinds::of("sched:sched_wakeup_new"), PerfEventKind::wakeupNew);
    for (const char* other : {"irq:irq_handler_entry", "kmem:kmalloc", "instructions", "page-faults"})
        EXPECT_EQ(PerfEventKinds::of(other), PerfEventKind::other) << other;
    EXPECT_TRUE(PerfEventKinds::countsTime("cpu-clock:u"));
    EXPECT_FALSE(PerfEventKinds::countsTime("cycles"));
}

TEST(PerfScriptLineTest, HeaderTellsFieldsEveryEventHasAndTheTimeSpan)
{
    const char* text =
        "# event : name = sched:sched_switch, , id = { 12 }, type = 2, sample_type = IP|TID|TIME|CALLCHAIN|CPU|PERIOD|RAW\n"
        "# event : name = cpu-clock, , id = { 16 }, type = 1, sample_type = IP|TID|TIME|CPU|PERIOD|IDENTIFIER, freq = 1\n"
        "# event : name = dummy:HG, , id = { 18 }, sample_type = IP|TID|TIME|IDENTIFIER, read_format = ID\n"
        "# time of first sample : 497.869487\n"
        "# time of last sample : 498.037686\n";
    const PerfDataHeader header = PerfDataHeader::parse(text);
    EXPECT_TRUE(header.everyEventHasCpu);
    EXPECT_TRUE(header.everyEventHasPeriod);
    EXPECT_EQ(header.firstSample, 497869487000u);
    EXPECT_EQ(header.lastSample, 498037686000u);
    const PerfDataHeader perTask =
        PerfDataHeader::parse("# event : name = cpu-clock:ppp, , id = { 1 }, sample_type = IP|TID|TIME|PERIOD, x = 1\n");
    EXPECT_FALSE(perTask.everyEventHasCpu);
    EXPECT_TRUE(perTask.everyEventHasPeriod);
}

// A recording of one program: its samples carry no CPU, its scheduler events do. perf script
// refuses "cpu" for all events then, but the idle threads the switches name are told apart only
// by it, so the tracepoints get a field list of their own.
TEST(PerfScriptLineTest, TracepointsKeepTheirCpuWhenSamplesHaveNone)
{
    const PerfDataHeader header = PerfDataHeader::parse(
        "# event : name = sched:sched_switch, , id = { 937 }, type = 2, size = 128, config = 0x174, "
        "sample_type = IP|TID|TIME|CALLCHAIN|CPU|PERIOD|RAW|IDENTIFIER, read_format = ID|LOST\n"
        "# event : name = sched:sched_wakeup, , id = { 939 }, type = 2, size = 128, config = 0x176, "
        "sample_type = IP|TID|TIME|CALLCHAIN|CPU|PERIOD|RAW|IDENTIFIER, read_format = ID|LOST\n"
        "# event : name = cpu-clock, , id = { 941 }, type = 1, size = 128, "
        "sample_type = IP|TID|TIME|CALLCHAIN|PERIOD|IDENTIFIER, read_format = ID|LOST\n");
    EXPECT_FALSE(header.everyEventHasCpu);
    EXPECT_EQ(header.typesWithCpu, std::vector<std::string>{"trace"});
    EXPECT_EQ(PerfDataRecordReader::fieldArguments(header),
              (std::vector<std::string>{"-F", "comm,pid,tid,time,event,period,trace,ip,sym,dso", "-F",
                                        "trace:comm,pid,tid,cpu,time,event,period,trace,ip,sym,dso"}));

    const PerfDataHeader systemWide = PerfDataHeader::parse(
        "# event : name = sched:sched_switch, , id = { 1 }, type = 2, sample_type = IP|TID|TIME|CPU|RAW\n"
        "# event : name = cycles, , id = { 2 }, type = 0, sample_type = IP|TID|TIME|CPU|PERIOD\n");
    EXPECT_EQ(PerfDataRecordReader::fieldArguments(systemWide),
              (std::vector<std::string>{"-F", "comm,pid,tid,cpu,time,event,trace,ip,sym,dso"}))
        << "one list where every event has its CPU; no period where one lacks it";
}

// Events that straddle the reader's buffer boundaries come out whole, each exactly once.
TEST(PerfScriptLineTest, StreamReaderKeepsEventsWholeAcrossBuffers)
{
    char name[] = "/tmp/velmora-perf-stream-XXXXXX";
    const int descriptor = ::mkstemp(name);
    ASSERT_GE(descriptor, 0);
    ::unlink(name);
    std::string text = "# a comment\n";
    const int events = 40000; // about 3.5 buffers of output
    for (int i = 0; i < events; ++i) {
        text += "worker 10/11 [000] " + std::to_string(100 + i) + ".000001: 250000 cpu-clock:\n";
        for (int frame = 0; frame < 4; ++frame)
            text += "\t" + std::to_string(4096 + frame) + " function_" + std::to_string(frame) + "+0x1f (/usr/bin/app)\n";
        text += "\n";
    }
    text += "not perf output\n";
    text += "worker 10/11 [000] 99999.5: 250000 cpu-clock:  12ab last (/usr/bin/app)"; // no final line break
    ASSERT_EQ(::write(descriptor, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ASSERT_EQ(::lseek(descriptor, 0, SEEK_SET), 0);

    PerfScriptReader reader;
    int seen = 0;
    int whole = 0;
    std::uint64_t progressCalls = 0;
    std::string error;
    ASSERT_TRUE(reader.read(
        descriptor, "stream",
        [&](const PerfEvent& event) {
            whole += event.stack.size() >= 14 && event.stack.substr(event.stack.size() - 14) == "(/usr/bin/app)" &&
                     event.time == (100 + static_cast<std::uint64_t>(seen)) * 1000000000u + 1000u;
            ++seen;
        },
        [&](std::uint64_t, std::uint64_t) { return ++progressCalls > 0; }, error))
        << error;
    ::close(descriptor);
    EXPECT_EQ(seen, events + 1);
    EXPECT_EQ(whole, events);
    EXPECT_EQ(reader.skippedLines(), 1u);
    EXPECT_GE(progressCalls, 1u);
}

} // namespace
} // namespace velmora_import
