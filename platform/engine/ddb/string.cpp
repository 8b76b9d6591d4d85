#include <ddb_2_2/string.h>

#include "store/Utf8Text.h"

#include <filesystem>
#include <system_error>

namespace ddb_2_2 {

// The store's codec, so names read from a result file and names typed in decode alike; a broken
// sequence becomes one U+FFFD.
string string::from_utf8(const std::string& utf8)
{
    return string(dd_sarvik_2_2::store::Utf8Text::toWide(utf8));
}

std::string string::to_utf8() const
{
    return dd_sarvik_2_2::store::Utf8Text::fromWide(m_text);
}

bool string::exist() const
{
    if (m_text.empty())
        return false;
    std::error_code error;
    return std::filesystem::exists(std::filesystem::u8path(to_utf8()), error);
}

}  // namespace ddb_2_2
