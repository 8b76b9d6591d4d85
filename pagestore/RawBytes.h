#pragma once
// Reading a length-prefixed run of bytes from an archive without trusting the length.

#include <cstddef>
#include <cstdint>

namespace velmora_1_0 {

/// Reads `count` raw bytes in slices, so a corrupt length fails at the end of the stream
/// instead of allocating what it claims.
template <class Archive, class Bytes>
void loadRawBytes(Archive& ar, Bytes& out, std::uint64_t count)
{
    constexpr std::uint64_t slice = 64 * 1024;
    out.clear();
    while (count > 0) {
        const std::size_t part = static_cast<std::size_t>(count < slice ? count : slice);
        const std::size_t at = out.size();
        out.resize(at + part);
        ar.load_binary(&out[at], part);
        count -= part;
    }
}

}  // namespace velmora_1_0
