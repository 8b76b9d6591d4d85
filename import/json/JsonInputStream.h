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
        , m_buffer(BLOCK + 1)
        , m_progress(progress)
    {
        m_next = m_end = m_buffer.data();
        refill();
        static const char mark[] = "\xEF\xBB\xBF";
        if (m_end - m_next >= 3 && std::equal(mark, mark + 3, m_next))
            m_next += 3;
        m_lineStart = Tell();
    }

    // The block ends with a '\0' that is not part of the input, so that Peek needs no test; at
    // the end of the input the block is empty and Peek finds that '\0'.
    Ch Peek() const { return *m_next; }
    Ch Take()
    {
        if (m_next == m_end)
            return '\0';
        const Ch c = *m_next++;
        if (m_next == m_end)
            refill();
        return c;
    }
    std::size_t Tell() const { return m_consumedBefore + static_cast<std::size_t>(m_next - m_buffer.data()); }
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
            const std::size_t inBlock = std::min(offset - m_consumedBefore, static_cast<std::size_t>(m_end - block));
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
    static constexpr std::size_t BLOCK = 1u << 17;

    void refill()
    {
        char* const block = m_buffer.data();
        for (const char* at = block; (at = static_cast<const char*>(std::memchr(at, '\n', m_end - at)));) {
            ++m_linesBefore;
            m_lineStart = m_consumedBefore + static_cast<std::size_t>(at - block) + 1;
            ++at;
        }
        m_consumedBefore += static_cast<std::size_t>(m_end - block);
        const std::size_t read = m_input.read(block, BLOCK);
        m_next = block;
        m_end = block + read;
        *m_end = '\0';
        if (m_progress && m_consumedBefore + read >= m_nextReport) {
            m_canceled = m_canceled || !m_progress(m_input.fileOffset(), m_input.fileSize());
            m_nextReport += PROGRESS_STEP;
        }
    }

    TraceFileInput& m_input;
    std::vector<char> m_buffer;
    const Progress& m_progress;
    char* m_next = nullptr; // in m_buffer
    char* m_end = nullptr;  // of the block's input, where its '\0' is
    std::size_t m_consumedBefore = 0; // bytes of the content before the buffer
    std::uint64_t m_nextReport = PROGRESS_STEP;
    std::size_t m_linesBefore = 0; // line breaks in the blocks before the buffer
    std::size_t m_lineStart = 0;   // offset where the line the buffer starts on begins
    bool m_canceled = false;
};

} // namespace velmora_import
