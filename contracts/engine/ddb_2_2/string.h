#pragma once
// Engine text: a wide string that converts to and from UTF-8.
//
// Table, attribute and file names travel through the engine as ddb_2_2::string; the page store
// writes them as UTF-8 and paths are handed to the file system as UTF-8. Comparison is by code
// point, so the type works as an ordered or hashed map key.

#include <engine_export.h>

#include <cstddef>
#include <functional>
#include <string>

namespace ddb_2_2 {

class SARVIK_API string {
public:
    string() = default;
    string(const wchar_t* text) : m_text(text ? text : L"") {}
    string(std::wstring text) : m_text(std::move(text)) {}

    /// Decodes UTF-8; malformed sequences become U+FFFD so no input is refused.
    static string from_utf8(const std::string& utf8);
    std::string to_utf8() const;

    const std::wstring& str() const { return m_text; }
    const wchar_t* c_str() const { return m_text.c_str(); }
    std::size_t length() const { return m_text.size(); }
    bool empty() const { return m_text.empty(); }

    /// True when a file or directory of this path exists.
    bool exist() const;

    string& operator+=(const string& other)
    {
        m_text += other.m_text;
        return *this;
    }
    friend string operator+(string a, const string& b) { return a += b; }

    friend bool operator==(const string& a, const string& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const string& a, const string& b) { return a.m_text != b.m_text; }
    friend bool operator<(const string& a, const string& b) { return a.m_text < b.m_text; }

private:
    std::wstring m_text;
};

}  // namespace ddb_2_2

template <>
struct std::hash<ddb_2_2::string> {
    std::size_t operator()(const ddb_2_2::string& s) const noexcept { return std::hash<std::wstring>()(s.str()); }
};
