#pragma once
// What the details panel shows about a selected slice: its name, category, row, start, duration
// and self time, then its parent and children, each of those lines leading to that slice. A
// plain model: the host turns the lines into a list and, when a line with a target is chosen,
// selects the target in the slice layer.
#include "layers/SliceLayer.h"

#include <wx/string.h>

#include <vector>

namespace velmora_1_0 {

class VELMORA_API SliceDetails {
public:
    struct Line {
        wxString text;
        SliceLayer::Item target; // invalid for lines that lead nowhere
    };

    // At most this many children are listed; the rest are counted.
    static constexpr int kMaxChildren = 50;

    // Lines for `item` of `row`, the slices of a row called `rowName`; none for an invalid item.
    static std::vector<Line> describe(const SliceLayer::Item& item, const SliceRow& row, const wxString& rowName);
};

} // namespace velmora_1_0
