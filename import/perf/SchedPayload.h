#pragma once
// The fields of the scheduler tracepoints, read from their payload text:
//   sched_switch: prev_comm=C prev_pid=N prev_prio=N prev_state=S ==> next_comm=C next_pid=N next_prio=N
//   sched_wakeup, sched_waking, sched_wakeup_new: comm=C pid=N prio=N [success=1] target_cpu=N
// Commands may hold spaces, so a command runs up to the key that follows it.
#include <cstdint>
#include <string_view>

namespace velmora_import {

struct SchedSwitch {
    std::string_view prevComm;
    std::int64_t prevTid = 0;
    std::string_view prevState;
    std::string_view nextComm;
    std::int64_t nextTid = 0;
};

struct SchedWakeup {
    std::string_view comm;
    std::int64_t tid = 0;
};

class SchedPayload {
public:
    static bool parseSwitch(std::string_view payload, SchedSwitch& fields);
    static bool parseWakeup(std::string_view payload, SchedWakeup& fields);
    // Why a thread left the CPU, in words, from its prev_state: "sleeping" (S), "disk" (D),
    // "preempted" (R, R+: it could have run on), "stopped", "traced", "dead", "idle", ...
    static std::string_view reason(std::string_view prevState);
};

} // namespace velmora_import
