#pragma once
// What the importer knows of one thread while it reads: who it is, when it was seen, and where
// its scheduling stands (running since, or waiting since and maybe woken by another thread).
#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora_import {

struct PerfThread {
    enum class State { unknown, running, waiting };

    std::int64_t pid = -1; // -1 until an event gives it
    std::int64_t tid = 0;
    std::int32_t cpu = -1; // idle threads only: each CPU has its own, all with thread id 0
    std::string comm;      // from the thread's own events, the latest
    std::string namedAs;   // from other events naming it (a switch to it, its wake-up)
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    bool seen = false;

    State state = State::unknown;
    std::uint64_t since = 0; // when the current state began
    std::int32_t wait = 0;   // the current wait's instance
    bool woken = false;
    std::uint64_t wakeTime = 0;
    std::size_t waker = 0;

    bool sampled = false;
    std::uint64_t lastSample = 0;

    void touch(std::uint64_t time)
    {
        first = seen && first < time ? first : time;
        last = seen && last > time ? last : time;
        seen = true;
    }
};

} // namespace velmora_import
