#pragma once
// The stream buffer an archive writes into when the whole file is to reach the disk in one
// write: it keeps every byte in memory until writeTo(). Its memory is the stream's put area,
// so the archive's small writes are copies without a call; writers of large runs encode in
// place at tail() instead of through a block of their own.

#include <cstddef>
#include <memory>
#include <streambuf>

namespace velmora_1_0 {

class MemoryOutputBuffer : public std::streambuf {
public:
    MemoryOutputBuffer() = default;
    MemoryOutputBuffer(const MemoryOutputBuffer&) = delete;
    MemoryOutputBuffer& operator=(const MemoryOutputBuffer&) = delete;

    /// Room for `bytes` without growing (a hint; more may be written).
    void reserve(std::size_t bytes);
    std::size_t size() const { return static_cast<std::size_t>(pptr() - pbase()); }
    /// Forgets the bytes, keeping the memory.
    void clear() { setp(m_bytes.get(), m_bytes.get() + m_capacity); }
    /// Where the next `count` bytes go, for a writer that fills them in place and then
    /// commit()s what it used (at most `count`).
    unsigned char* tail(std::size_t count);
    void commit(std::size_t count);
    /// Hands everything written so far to `file` in one call; false on a short write.
    bool writeTo(std::streambuf& file) const;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;

private:
    std::unique_ptr<char[]> m_bytes;   // not zeroed: only what was written is read
    std::size_t m_capacity = 0;
};

}  // namespace velmora_1_0
