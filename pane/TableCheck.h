#pragma once
// Warns when a resolved data source names no attribute table or no instance table: the layer
// is still built but its area may stay empty. Run after resolving a drawBy and again by the
// configuration before it accepts a ruler layer.
#include <VelmoraExport.h>

#include <wx/string.h>

#include <vector>

namespace velmora_1_0 {

class SarvikDataSource;

class VELMORA_API TableCheck {
public:
    // Appends one warning per missing table ("<drawBy>" as element, the layer's location text);
    // true when both tables are named.
    static bool check(const SarvikDataSource& source, const wxString& element, const wxString& location,
                      std::vector<wxString>& errors);
};

} // namespace velmora_1_0
