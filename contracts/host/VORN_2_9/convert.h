#pragma once
#include <host_export.h>

#include <cstdint>
#include <string>

namespace VORN_2_9::generic::convert {

// Reads an unsigned number written in decimal or as "0x"/"0X" hex, with white space around
// it allowed. Returns false and sets out to 0 for anything else: empty text, a sign,
// trailing garbage, or a value too large for the type.
HOST_API bool str_to_uint8(const std::wstring& text, std::uint8_t& out);
HOST_API bool str_to_uint32(const std::wstring& text, std::uint32_t& out);

} // namespace VORN_2_9::generic::convert
