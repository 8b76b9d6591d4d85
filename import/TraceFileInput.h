#pragma once
// Reads a trace file's bytes, through zlib when the file is gzip-compressed (tracers and build
// tools often write "trace.json.gz"); a plain file reads as it is. Move-only owner of the handle.
#include <cstdint>
#include <filesystem>
#include <string>

namespace velmora_import {

class TraceFileInput {
public:
    TraceFileInput() = default;
    ~TraceFileInput();
    TraceFileInput(const TraceFileInput&) = delete;
    TraceFileInput& operator=(const TraceFileInput&) = delete;

    // False with `error` naming the file when it cannot be opened.
    bool open(const std::filesystem::path& file, std::string& error);
    // Up to `size` bytes of the (decompressed) content; 0 at the end or on a read error, which
    // error() then tells.
    std::size_t read(char* buffer, std::size_t size);
    // Bytes of the file itself consumed so far, for progress against its size.
    std::uint64_t fileOffset() const;
    std::uint64_t fileSize() const { return m_fileSize; }
    bool compressed() const { return m_compressed; }
    // Empty unless reading failed (a damaged compressed stream).
    const std::string& error() const { return m_error; }

private:
    void* m_handle = nullptr; // gzFile
    std::uint64_t m_fileSize = 0;
    bool m_compressed = false;
    std::string m_error;
};

} // namespace velmora_import
