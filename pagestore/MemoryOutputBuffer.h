#pragma once
// The stream buffer an archive writes into when the whole file is to reach the disk in one
// write: it keeps every byte in memory until writeTo().

#include <cstddef>
#include <streambuf>
#include <vector>

namespace velmora_1_0 {

class MemoryOutputBuffer : public std::streambuf {
public:
    MemoryOutputBuffer() = default;
    MemoryOutputBuffer(const MemoryOutputBuffer&) = delete;
    MemoryOutputBuffer& operator=(const MemoryOutputBuffer&) = delete;

    /// Room for `bytes` without growing (a hint; more may be written).
    void reserve(std::size_t bytes) { m_bytes.reserve(bytes); }
    std::size_t size() const { return m_bytes.size(); }
    /// Forgets the bytes, keeping the memory.
    void clear() { m_bytes.clear(); }
    /// Hands everything written so far to `file` in one call; false on a short write.
    bool writeTo(std::streambuf& file) const;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;

private:
    std::vector<char> m_bytes;
};

}  // namespace velmora_1_0
