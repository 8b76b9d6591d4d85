#include "pane/TableCheck.h"

#include "provider/SarvikDataSource.h"

namespace velmora_1_0 {

bool TableCheck::check(const SarvikDataSource& source, const wxString& element, const wxString& location,
                       std::vector<wxString>& errors)
{
    bool passed = true;
    if (source.attributeTable.empty()) {
        errors.push_back(wxString::Format("Timeline: No attribute table specified for %s, %s. Area may appear empty.",
                                          element, location));
        passed = false;
    }
    if (source.instanceTable.empty()) {
        errors.push_back(wxString::Format("Timeline: No instance table specified for %s, %s. Area may appear empty.",
                                          element, location));
        passed = false;
    }
    return passed;
}

} // namespace velmora_1_0
