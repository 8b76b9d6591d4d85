#include "provider/NameFilter.h"

#include <algorithm>
#include <cwctype>

namespace velmora_1_0 {

namespace {

std::wstring lowered(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

} // namespace

NameFilter::NameFilter(const std::wstring& text) : m_lowered(lowered(text)) {}

bool NameFilter::matches(const std::wstring& name) const
{
    return !m_lowered.empty() && lowered(name).find(m_lowered) != std::wstring::npos;
}

} // namespace velmora_1_0
