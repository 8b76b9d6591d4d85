#pragma once
// Conversions between the engine's wide strings and the UTF-8 text that SQLite and file paths
// use. Invalid input never fails: a broken sequence becomes U+FFFD.

#include <string>
#include <string_view>

namespace dd_sarvik_2_2 {
namespace store {

class Utf8Text {
public:
    static std::string fromWide(std::wstring_view text);
    static std::wstring toWide(std::string_view text);
};

}  // namespace store
}  // namespace dd_sarvik_2_2
