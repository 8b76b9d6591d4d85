#pragma once
// Whether a name contains a searched text, ignoring case: the one rule every search over names
// (slices, markers, ruler events) follows, so they all find the same.
#include <VelmoraExport.h>

#include <string>

namespace velmora_1_0 {

class VELMORA_API NameFilter {
public:
    explicit NameFilter(const std::wstring& text);

    // False for every name when the text is empty.
    bool matches(const std::wstring& name) const;

private:
    std::wstring m_lowered;
};

} // namespace velmora_1_0
