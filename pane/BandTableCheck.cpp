#include "pane/BandTableCheck.h"

#include "pane/LayerLocation.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_utility.h>

#include <algorithm>
#include <array>

namespace velmora_1_0 {

wxString BandTableCheck::problem(const dd_sarvik_2_2::Result& result, const std::wstring& instanceTable,
                                 const std::wstring& attributeTable, const LayerLocation& location)
{
    const wxString where = location.text();
    if (!dd_sarvik_2_2::dd_utility::check_instance_data_exist(instanceTable, attributeTable, result.get_database())) {
        if (instanceTable.empty())
            return wxString::Format("Timeline: Query, %s, resolves to table '' (empty string) which does not exist. "
                                    "Unable to create layer.",
                                    where);
        return wxString::Format("Timeline: Query, %s, resolves to table '%s' which does not exist. "
                                "Unable to create layer.",
                                where, wxString(instanceTable));
    }
    if (!isBandObjectType(tableType(result, instanceTable)))
        return wxString::Format("Timeline: No handler for table (%s:%s), %s. Unable to create layer.",
                                wxString(instanceTable), wxString(attributeTable), where);
    return wxString();
}

std::wstring BandTableCheck::tableType(const dd_sarvik_2_2::Result& result, const std::wstring& table)
{
    return result.get_database().get_table_type(table).str();
}

bool BandTableCheck::isBandObjectType(const std::wstring& type)
{
    static const std::array<const wchar_t*, 8> bandTypes = {
        L"dd_single_multi_band_obj",      L"dd_single_band_obj", L"dd_global_band_obj",
        L"dd_global_aggregated_band_obj", L"dd_global_band_obj2", L"dd_discrete_band_obj",
        L"dd_multi_band_obj",             L"dd_aggregated_band_obj"};
    return std::any_of(bandTypes.begin(), bandTypes.end(), [&type](const wchar_t* name) { return type == name; });
}

} // namespace velmora_1_0
