#pragma once
// A file's content read with one call, as the stream buffer an archive reads from: the
// archive's many small reads then cost a copy from memory each instead of a call into the file.
// Seeks within the content work (the native header check reads ahead and steps back).
// Large runs can be read in place (unread, skip).

#include <cstddef>
#include <cstdint>
#include <ios>
#include <memory>
#include <streambuf>

namespace velmora_1_0 {

class MemoryInputBuffer : public std::streambuf {
public:
    MemoryInputBuffer() = default;
    MemoryInputBuffer(const MemoryInputBuffer&) = delete;
    MemoryInputBuffer& operator=(const MemoryInputBuffer&) = delete;

    /// Replaces the content with up to `size` bytes read from `file` and returns how many it
    /// had; reading past them fails like reading past the end of the file.
    std::uint64_t readFrom(std::streambuf& file, std::uint64_t size);

    /// The bytes not read yet, for a reader that decodes them in place and then skip()s what it
    /// used: a large run then costs no copy out of the buffer.
    const unsigned char* unread() const { return reinterpret_cast<const unsigned char*>(gptr()); }
    std::size_t unreadBytes() const { return static_cast<std::size_t>(egptr() - gptr()); }
    void skip(std::size_t count) { setg(eback(), gptr() + count, egptr()); }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir from, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

private:
    std::unique_ptr<char[]> m_bytes;   // not zeroed: the read fills what is used
};

}  // namespace velmora_1_0
