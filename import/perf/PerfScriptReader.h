#pragma once
// Reads `perf script` output from a file descriptor (a file, or the pipe of a running perf) as a
// stream and hands each event to a sink, so output of any size is read in one pass over a
// buffer of a few megabytes. An event is its first line and the frame lines (tab-indented) that
// follow, up to a blank line or the next event. Comment lines ("#") are skipped; other lines that
// are not perf script output are counted and skipped.
#include "perf/PerfEvent.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora_import {

class PerfScriptReader {
public:
    using Sink = std::function<void(const PerfEvent& event)>;
    // Called every few megabytes with the bytes read so far and the time of the last event;
    // false stops the read (it then fails as canceled).
    using Progress = std::function<bool(std::uint64_t bytesRead, std::uint64_t lastTime)>;

    static constexpr std::size_t BUFFER_SIZE = 4u << 20;

    // False with `error` (naming `name`) when reading failed or was canceled.
    bool read(int descriptor, const std::string& name, const Sink& sink, const Progress& progress, std::string& error);

    std::uint64_t events() const { return m_events; }
    std::uint64_t skippedLines() const { return m_skippedLines; }

private:
    // Lines in m_buffer from `from` on that end before `end`; returns where the unread part
    // begins (the open event's first line, or an incomplete line).
    std::size_t scanLines(std::size_t from, std::size_t end, bool atEnd, const Sink& sink);
    void closeEvent(const Sink& sink);

    std::vector<char> m_buffer;
    // The open event: its first line and its frame lines, as offsets into m_buffer.
    bool m_open = false;
    std::size_t m_headerStart = 0;
    std::size_t m_headerEnd = 0;
    std::size_t m_stackEnd = 0;
    std::uint64_t m_lastTime = 0;
    std::uint64_t m_events = 0;
    std::uint64_t m_skippedLines = 0;
};

} // namespace velmora_import
