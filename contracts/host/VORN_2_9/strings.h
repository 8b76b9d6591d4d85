#pragma once
#include <host_export.h>

#include <string>
#include <vector>

namespace VORN_2_9::strings {

// Splits at every occurrence of separator. Empty parts are kept, so n separators always
// give n + 1 parts: "" gives one empty part, "a..b" gives "a", "", "b". An empty
// separator gives the whole text as the only part.
HOST_API std::vector<std::wstring> split_string(const std::wstring& text, const std::wstring& separator);

// The text without leading and trailing white space.
HOST_API std::wstring trim(const std::wstring& text);

// Conversions between wide text and UTF-8 bytes; invalid sequences are dropped, never thrown.
HOST_API std::string to_utf8(const std::wstring& text);
HOST_API std::wstring from_utf8(const std::string& text);

} // namespace VORN_2_9::strings
