#include <VORN_2_9/convert.h>

#include <VORN_2_9/strings.h>

#include <cwctype>
#include <limits>

namespace VORN_2_9::generic::convert {

namespace {

// Reads an unsigned decimal or "0x" hex number no larger than limit.
bool read_unsigned(const std::wstring& raw, std::uint64_t limit, std::uint64_t& out)
{
    out = 0;
    const std::wstring text = strings::trim(raw);
    std::size_t pos = 0;
    unsigned base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        pos = 2;
    }
    if (pos == text.size())
        return false;
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const wchar_t c = text[pos];
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9')
            digit = static_cast<unsigned>(c - L'0');
        else if (base == 16 && std::iswxdigit(static_cast<std::wint_t>(c)))
            digit = static_cast<unsigned>(std::towlower(static_cast<std::wint_t>(c)) - L'a' + 10);
        else
            return false;
        if (value > (limit - digit) / base)
            return false;
        value = value * base + digit;
    }
    out = value;
    return true;
}

template <class Number>
bool read_number(const std::wstring& text, Number& out)
{
    std::uint64_t value = 0;
    const bool ok = read_unsigned(text, std::numeric_limits<Number>::max(), value);
    out = static_cast<Number>(value);
    return ok;
}

} // namespace

bool str_to_uint8(const std::wstring& text, std::uint8_t& out) { return read_number(text, out); }

bool str_to_uint32(const std::wstring& text, std::uint32_t& out) { return read_number(text, out); }

} // namespace VORN_2_9::generic::convert
