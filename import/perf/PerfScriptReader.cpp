#include "perf/PerfScriptReader.h"

#include "perf/PerfScriptLine.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace velmora_import {

namespace {

constexpr std::uint64_t PROGRESS_STEP = 4u << 20;

std::string_view view(const std::vector<char>& buffer, std::size_t start, std::size_t end)
{
    return std::string_view(buffer.data() + start, end - start);
}

} // namespace

bool PerfScriptReader::read(int descriptor, const std::string& name, const Sink& sink, const Progress& progress,
                            std::string& error)
{
    m_buffer.resize(BUFFER_SIZE);
    m_open = false;
    std::size_t filled = 0;
    std::size_t unread = 0;
    std::uint64_t total = 0;
    std::uint64_t reported = 0;
    for (;;) {
        if (filled == m_buffer.size()) {
            // Keep the open event and the incomplete line; grow only when they fill the buffer.
            const std::size_t keep = m_open ? m_headerStart : unread;
            if (keep == 0) {
                m_buffer.resize(m_buffer.size() * 2);
            } else {
                std::memmove(m_buffer.data(), m_buffer.data() + keep, filled - keep);
                filled -= keep;
                unread -= keep;
                m_headerStart -= keep;
                m_headerEnd -= keep;
                m_stackEnd -= keep;
            }
        }
        const ssize_t count = ::read(descriptor, m_buffer.data() + filled, m_buffer.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            error = name + ": cannot read: " + std::strerror(errno);
            return false;
        }
        filled += static_cast<std::size_t>(count);
        total += static_cast<std::uint64_t>(count);
        unread = scanLines(unread, filled, count == 0, sink);
        if (count == 0)
            break;
        if (progress && total - reported >= PROGRESS_STEP) {
            reported = total;
            if (!progress(total, m_lastTime)) {
                error = name + ": the import was canceled";
                return false;
            }
        }
    }
    closeEvent(sink);
    return true;
}

std::size_t PerfScriptReader::scanLines(std::size_t from, std::size_t end, bool atEnd, const Sink& sink)
{
    const char* data = m_buffer.data();
    while (from < end) {
        const void* found = std::memchr(data + from, '\n', end - from);
        if (!found && !atEnd)
            break;
        const std::size_t lineEnd = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : end;
        const char first = data[from];
        if (first == '\t') {
            if (m_open)
                m_stackEnd = lineEnd;
            else
                ++m_skippedLines;
        } else {
            closeEvent(sink);
            std::size_t text = from;
            while (text < lineEnd && (data[text] == ' ' || data[text] == '\r'))
                ++text;
            if (text < lineEnd && data[text] != '#') {
                m_open = true;
                m_headerStart = from;
                m_headerEnd = lineEnd;
                m_stackEnd = lineEnd;
            }
        }
        from = found ? lineEnd + 1 : end;
    }
    return from;
}

void PerfScriptReader::closeEvent(const Sink& sink)
{
    if (!m_open)
        return;
    m_open = false;
    PerfEvent event;
    if (!PerfScriptLine::parseHeader(view(m_buffer, m_headerStart, m_headerEnd), event)) {
        ++m_skippedLines;
        return;
    }
    if (m_stackEnd > m_headerEnd)
        event.stack = view(m_buffer, m_headerEnd + 1, m_stackEnd);
    m_lastTime = event.time;
    ++m_events;
    sink(event);
}

} // namespace velmora_import
