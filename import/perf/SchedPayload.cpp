#include "perf/SchedPayload.h"

namespace velmora_import {

namespace {

// The value of `key` (given with its "=") up to `until` (the next key, with its leading
// space), or up to the next space when `until` is empty.
bool valueOf(std::string_view payload, std::string_view key, std::string_view until, std::string_view& value)
{
    std::size_t start = payload.find(key);
    while (start != std::string_view::npos && start > 0 && payload[start - 1] != ' ')
        start = payload.find(key, start + 1);
    if (start == std::string_view::npos)
        return false;
    start += key.size();
    const std::size_t end = until.empty() ? payload.find(' ', start) : payload.find(until, start);
    if (!until.empty() && end == std::string_view::npos)
        return false;
    value = payload.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    return true;
}

bool numberOf(std::string_view payload, std::string_view key, std::int64_t& number)
{
    std::string_view text;
    if (!valueOf(payload, key, {}, text) || text.empty() || text.size() > 18)
        return false;
    number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    return true;
}

} // namespace

bool SchedPayload::parseSwitch(std::string_view payload, SchedSwitch& fields)
{
    const std::size_t arrow = payload.find(" ==> ");
    if (arrow == std::string_view::npos)
        return false;
    const std::string_view prev = payload.substr(0, arrow);
    const std::string_view next = payload.substr(arrow + 5);
    return valueOf(prev, "prev_comm=", " prev_pid=", fields.prevComm) && numberOf(prev, "prev_pid=", fields.prevTid) &&
           valueOf(prev, "prev_state=", {}, fields.prevState) &&
           valueOf(next, "next_comm=", " next_pid=", fields.nextComm) && numberOf(next, "next_pid=", fields.nextTid);
}

bool SchedPayload::parseWakeup(std::string_view payload, SchedWakeup& fields)
{
    return valueOf(payload, "comm=", " pid=", fields.comm) && numberOf(payload, "pid=", fields.tid);
}

std::string_view SchedPayload::reason(std::string_view prevState)
{
    // Several flags ("D|K", "S|W") name the state first.
    switch (prevState.empty() ? '?' : prevState.front()) {
    case 'R':
        return "preempted";
    case 'S':
        return "sleeping";
    case 'D':
        return "disk";
    case 'T':
        return "stopped";
    case 't':
        return "traced";
    case 'X':
    case 'Z':
        return "dead";
    case 'P':
        return "parked";
    case 'I':
        return "idle";
    default:
        return "waiting";
    }
}

} // namespace velmora_import
