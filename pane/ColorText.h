#pragma once
// Reads the colour texts of query display attributes: either one hex number "0xAARRGGBB"
// (an alpha of 0 means opaque, so "0x80" is opaque blue) or decimal parts "R,G,B[,A]".
#include <wx/colour.h>
#include <wx/string.h>

#include <string>
#include <vector>

namespace velmora_1_0 {

class ColorText {
public:
    // True with colour set when text holds a colour. False when it has fewer than three
    // decimal parts: colour is left as it was and a message naming attributeName is appended.
    // Parts that are not numbers convert as the host's conversion converts them.
    static bool read(const std::wstring& text, const wxString& attributeName, wxColour& colour,
                     std::vector<wxString>& errors);
};

} // namespace velmora_1_0
