#pragma once
// The stream the JSON parser reads: the trace's content through TraceFileInput in large blocks,
// a leading UTF-8 byte order mark skipped, and progress reported every PROGRESS_STEP bytes (a
// false answer asks the parse to stop). Lines are counted a block at a time when the block is
// left, not per byte taken: the parser takes every byte through here, and a place is asked for
// only when something went wrong.
#include "TraceFileInput.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace velmora_import {

class JsonInputStream {
public:
    using Ch = char;
    using Progress = std::function<bool(std::uint64_t fileBytesRead, std::uint64_t fileSize)>;

    static constexpr std::uint64_t PROGRESS_STEP = 4u << 20;

    JsonInputStream(TraceFileInput& input, const Progress& progress)
        : m_input(input)
        , m_buffer(1u << 17)
        , m_progress(progress)
    {
        refill();
        static const char mark[] = "\xEF\xBB\xBF";
        if (m_end - m_position >= 3 && std::equal(mark, mark + 3, m_buffer.data()))
            m_position += 3;
        m_lineStart = m_consumedBefore + m_position;
    }

    Ch Peek() const { return m_position < m_end ? m_buffer[m_position] : '\0'; }
    Ch Take()
    {
        if (m_position >= m_end)
            return '\0';
        const Ch c = m_buffer[m_position++];
        if (m_position == m_end)
            refill();
        return c;
    }
    std::size_t Tell() const { return m_consumedBefore + m_position; }
    // The progress callback asked to stop; the handler ends the parse at the next value.
    bool canceled() const { return m_canceled; }
    // The reader never writes back into its input (no in-situ parsing).
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    std::size_t PutEnd(Ch*) { return 0; }

    // "LINE:COLUMN" (1-based) of the byte at `offset`, which must lie in the current block (the
    // parser stops where it found the fault, so it does).
    std::string placeOf(std::size_t offset) const
    {
        std::size_t line = m_linesBefore + 1;
        std::size_t lineStart = m_lineStart;
        if (offset >= m_consumedBefore) {
            const char* const block = m_buffer.data();
            const std::size_t inBlock = std::min(offset - m_consumedBefore, m_end);
            for (std::size_t at = 0; at < inBlock; ++at) {
                if (block[at] == '\n') {
                    ++line;
                    lineStart = m_consumedBefore + at + 1;
                }
            }
        }
        const std::size_t column = offset >= lineStart ? offset - lineStart + 1 : 1;
        return std::to_string(line) + ":" + std::to_string(column);
    }

private:
    void refill()
    {
        const char* const block = m_buffer.data();
        for (const char* at = block; (at = static_cast<const char*>(std::memchr(at, '\n', block + m_end - at)));) {
            ++m_linesBefore;
            m_lineStart = m_consumedBefore + static_cast<std::size_t>(at - block) + 1;
            ++at;
        }
        m_consumedBefore += m_end;
        m_position = 0;
        m_end = m_input.read(m_buffer.data(), m_buffer.size());
        if (m_progress && m_consumedBefore + m_end >= m_nextReport) {
            m_canceled = m_canceled || !m_progress(m_input.fileOffset(), m_input.fileSize());
            m_nextReport += PROGRESS_STEP;
        }
    }

    TraceFileInput& m_input;
    std::vector<char> m_buffer;
    const Progress& m_progress;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    std::size_t m_consumedBefore = 0; // bytes of the content before the buffer
    std::uint64_t m_nextReport = PROGRESS_STEP;
    std::size_t m_linesBefore = 0; // line breaks in the blocks before the buffer
    std::size_t m_lineStart = 0;   // offset where the line the buffer starts on begins
    bool m_canceled = false;
};

} // namespace velmora_import
