#pragma once
// The fill of a slice, chosen by a stable hash of its name: the same name has the same colour
// in every row, view and session, and light enough that black text on it reads well.
#include <VelmoraExport.h>
#include <wx/colour.h>

#include <string>

namespace velmora_1_0 {

class VELMORA_API SliceColor {
public:
    static wxColour of(const std::wstring& name);
    // Runs of slices too narrow to tell apart.
    static wxColour run();
};

} // namespace velmora_1_0
