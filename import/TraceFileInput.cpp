#include "TraceFileInput.h"

#include <zlib.h>

#include <climits>
#include <fstream>

namespace velmora_import {

namespace {

gzFile handleOf(void* handle)
{
    return static_cast<gzFile>(handle);
}

bool startsWithGzipMagic(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char magic[2] = {0, 0};
    in.read(reinterpret_cast<char*>(magic), 2);
    return in.gcount() == 2 && magic[0] == 0x1f && magic[1] == 0x8b;
}

} // namespace

TraceFileInput::~TraceFileInput()
{
    if (m_handle)
        gzclose(handleOf(m_handle));
}

bool TraceFileInput::open(const std::filesystem::path& file, std::string& error)
{
    std::error_code code;
    m_fileSize = std::filesystem::file_size(file, code);
    m_compressed = !code && startsWithGzipMagic(file);
    m_handle = code ? nullptr : gzopen(file.c_str(), "rb");
    if (!m_handle) {
        error = "cannot read the trace file " + file.string();
        return false;
    }
    gzbuffer(handleOf(m_handle), 1u << 17);
    return true;
}

std::size_t TraceFileInput::read(char* buffer, std::size_t size)
{
    if (!m_handle || !m_error.empty())
        return 0;
    const int got = gzread(handleOf(m_handle), buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
    if (got <= 0) {
        // A stream cut short ends with 0 and Z_BUF_ERROR, a damaged one with -1.
        int code = Z_OK;
        const char* message = gzerror(handleOf(m_handle), &code);
        if (code != Z_OK)
            m_error = message;
        return 0;
    }
    return static_cast<std::size_t>(got);
}

std::uint64_t TraceFileInput::fileOffset() const
{
    if (!m_handle)
        return 0;
    const auto offset = gzoffset(handleOf(m_handle));
    return offset < 0 ? 0 : static_cast<std::uint64_t>(offset);
}

} // namespace velmora_import
