#include <ddb_2_2/string.h>

#include <filesystem>
#include <system_error>

namespace ddb_2_2 {

namespace {

constexpr char32_t replacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = replacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one sequence at `pos`, advancing it; overlong forms, surrogates and truncated
// sequences give the replacement character and consume one byte.
char32_t decodeOne(const std::string& in, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(in[pos]);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return replacement;
    }
    if (pos + extra >= in.size()) {
        ++pos;
        return replacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto byte = static_cast<unsigned char>(in[pos + i]);
        if (!isContinuation(byte)) {
            ++pos;
            return replacement;
        }
        cp = (cp << 6) | (byte & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return replacement;
    }
    pos += extra + 1;
    return cp;
}

}  // namespace

string string::from_utf8(const std::string& utf8)
{
    std::wstring text;
    text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();)
        text += static_cast<wchar_t>(decodeOne(utf8, pos));
    return string(std::move(text));
}

std::string string::to_utf8() const
{
    std::string out;
    out.reserve(m_text.size());
    for (wchar_t c : m_text)
        appendUtf8(out, static_cast<char32_t>(c));
    return out;
}

bool string::exist() const
{
    if (m_text.empty())
        return false;
    std::error_code error;
    return std::filesystem::exists(std::filesystem::u8path(to_utf8()), error);
}

}  // namespace ddb_2_2
