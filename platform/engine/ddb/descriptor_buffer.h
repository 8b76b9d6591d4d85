#pragma once
// The stream of one open file descriptor, in one direction, under a ddb_storage_file, from the
// beginning of the file whatever the descriptor's own position (a kept descriptor was used
// before). Archives hand it whole files at once, which from direct_bytes up go to and come from
// the descriptor without passing through the buffer; the buffer, made on first use, serves
// smaller files and callers that read or write a few bytes at a time. The descriptor stays its
// owner's to close.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <streambuf>

namespace ddb_2_2 {

class descriptor_buffer : public std::streambuf {
public:
    static constexpr std::size_t buffer_bytes = 64 * 1024;
    /// A transfer of at least this many bytes, with nothing buffered, skips the buffer.
    static constexpr std::size_t direct_bytes = 4 * 1024;

    /// Reads or writes `descriptor` (negative: a stream on which everything fails).
    descriptor_buffer(int descriptor, bool writing) : m_descriptor(descriptor), m_writing(writing) {}
    descriptor_buffer(const descriptor_buffer&) = delete;
    descriptor_buffer& operator=(const descriptor_buffer&) = delete;

    /// Bytes the stream has taken (writing) or handed out (reading) so far.
    std::uint64_t position() const;
    /// Writes what is pending; false when the descriptor took less.
    bool flush();
    /// A write or read of the descriptor failed.
    bool failed() const { return m_failed; }
    /// Flushes nothing more: the owner closes the descriptor or keeps it for another file.
    void detach() { m_descriptor = -1; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;
    int_type underflow() override;
    std::streamsize xsgetn(char* bytes, std::streamsize count) override;

private:
    bool writeAll(const char* bytes, std::size_t count);
    /// 0 at the end of the file or on an error.
    std::size_t readSome(char* bytes, std::size_t count);

    /// The buffer, made on first use; not zeroed, as every byte used was read or written first.
    char* buffer();

    int m_descriptor;
    bool m_writing;
    bool m_failed = false;
    std::uint64_t m_done = 0;   // bytes through the descriptor
    std::unique_ptr<char[]> m_buffer;
};

}  // namespace ddb_2_2
