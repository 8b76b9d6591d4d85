#pragma once
// The stream of one open file descriptor, in one direction, under a ddb_storage_file. Archives
// hand it whole files at once, which go to and come from the descriptor without passing
// through the buffer; the buffer, made on first use, serves callers that read or write a few
// bytes at a time.

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <vector>

namespace ddb_2_2 {

class descriptor_buffer : public std::streambuf {
public:
    static constexpr std::size_t buffer_bytes = 64 * 1024;

    /// Takes over `descriptor` (negative: a stream on which everything fails) and closes it.
    descriptor_buffer(int descriptor, bool writing) : m_descriptor(descriptor), m_writing(writing) {}
    ~descriptor_buffer() override { finish(); }
    descriptor_buffer(const descriptor_buffer&) = delete;
    descriptor_buffer& operator=(const descriptor_buffer&) = delete;

    /// Bytes the stream has taken (writing) or handed out (reading) so far.
    std::uint64_t position() const;
    /// Writes what is pending; false when the descriptor took less.
    bool flush();
    /// Flushes and closes the descriptor; false when either failed.
    bool finish();

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

    int m_descriptor;
    bool m_writing;
    bool m_failed = false;
    std::uint64_t m_done = 0;   // bytes through the descriptor
    std::vector<char> m_buffer;
};

}  // namespace ddb_2_2
