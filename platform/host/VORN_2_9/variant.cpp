#include <VORN_2_9/variant.h>

#include <VORN_2_9/strings.h>
#include <mirrow2/variant_t.h>

#include <cerrno>
#include <cwchar>

namespace VORN_2_9::types::variant {

std::int64_t as_int(const mirrow2::variant_t& value)
{
    if (!value.is_text())
        return value.get_int64();
    const std::wstring text = strings::trim(value.get_text());
    if (text.empty())
        return 0;
    wchar_t* end = nullptr;
    errno = 0;
    const long long parsed = std::wcstoll(text.c_str(), &end, 10);
    // Leading white space was trimmed, so wcstoll cannot skip any either.
    if (errno != 0 || end != text.c_str() + text.size())
        return 0;
    return parsed;
}

} // namespace VORN_2_9::types::variant
