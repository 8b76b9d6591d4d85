#pragma once
// Decides whether a layer's tables can be drawn at all: the instance table must exist in the
// result (and the attribute table too, when one is named) and must hold one of the band object
// types the layers know how to read. The pane runs it before it accepts a layer.
#include <wx/string.h>

#include <string>

namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_1_0 {

class LayerLocation;

class BandTableCheck {
public:
    // The message that refuses the layer, or an empty text when the tables are usable.
    static wxString problem(const dd_sarvik_2_2::Result& result, const std::wstring& instanceTable,
                            const std::wstring& attributeTable, const LayerLocation& location);
    // The engine's object type of a table ("dd_single_band_obj", ...); empty when it has none.
    static std::wstring tableType(const dd_sarvik_2_2::Result& result, const std::wstring& table);
    static bool isBandObjectType(const std::wstring& type);
};

} // namespace velmora_1_0
