#pragma once
// The engine names tables and columns in its own string type; data sources hold them as wxString.
#include <ddb_2_2/string.h>

#include <wx/string.h>

namespace velmora_1_0 {

inline ddb_2_2::string engineString(const wxString& value)
{
    return ddb_2_2::string(value.ToStdWstring());
}

} // namespace velmora_1_0
