#include "pane/ColorText.h"

#include <VORN_2_9/convert.h>
#include <VORN_2_9/strings.h>

#include <cstdint>

namespace velmora_1_0 {

namespace {

bool isHex(const std::wstring& text)
{
    return text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
}

std::uint8_t byteOf(const std::wstring& part)
{
    std::uint8_t value = 0;
    VORN_2_9::generic::convert::str_to_uint8(part, value);
    return value;
}

} // namespace

bool ColorText::read(const std::wstring& text, const wxString& attributeName, wxColour& colour,
                     std::vector<wxString>& errors)
{
    if (isHex(text)) {
        std::uint32_t argb = 0;
        VORN_2_9::generic::convert::str_to_uint32(text, argb);
        const auto alpha = static_cast<std::uint8_t>(argb >> 24);
        colour.Set(static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                   static_cast<std::uint8_t>(argb), alpha == 0 ? 255 : alpha);
        return true;
    }
    const std::vector<std::wstring> parts = VORN_2_9::strings::split_string(text, L",");
    if (parts.size() < 3) {
        errors.push_back(wxString::Format(
            "Timeline: <%s> has only %d values. At least 3 values are required in R,G,B[,A] format.",
            attributeName, static_cast<int>(parts.size())));
        return false;
    }
    const std::uint8_t alpha = parts.size() > 3 ? byteOf(parts[3]) : 255;
    colour.Set(byteOf(parts[0]), byteOf(parts[1]), byteOf(parts[2]), alpha);
    return true;
}

} // namespace velmora_1_0
