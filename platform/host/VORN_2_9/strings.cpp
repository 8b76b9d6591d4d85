#include <VORN_2_9/strings.h>

#include <pugixml.hpp>

#include <cwctype>

namespace VORN_2_9::strings {

std::vector<std::wstring> split_string(const std::wstring& text, const std::wstring& separator)
{
    if (separator.empty())
        return {text};
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t hit = text.find(separator); hit != std::wstring::npos;
         hit = text.find(separator, start)) {
        parts.push_back(text.substr(start, hit - start));
        start = hit + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::wstring trim(const std::wstring& text)
{
    const auto isSpace = [](wchar_t c) { return std::iswspace(static_cast<std::wint_t>(c)) != 0; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string to_utf8(const std::wstring& text) { return pugi::as_utf8(text); }

std::wstring from_utf8(const std::string& text) { return pugi::as_wide(text); }

} // namespace VORN_2_9::strings
