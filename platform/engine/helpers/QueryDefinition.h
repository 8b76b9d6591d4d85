#pragma once
#include <sarvikhelpers_1_0/IQuery.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sarvikhelpers_1_0 {

// One query as the catalog file states it, before its references to other queries are
// resolved. The reader fills it, the linker turns it into a query object.
struct QueryDefinition {
    std::wstring m_name;
    QueryKind m_kind = QueryKind::info;
    std::vector<std::wstring> m_names;
    std::wstring m_displayName;
    std::optional<std::wstring> m_lowerLimit;
    std::optional<std::wstring> m_upperLimit;
    std::wstring m_restriction;                 // name of the restricting query, "" for none
    std::vector<mirrow2::variant_t> m_values;   // info: values; vector: element names
    std::vector<std::pair<std::wstring, mirrow2::variant_t>> m_attributes;
    std::wstring m_expression;                  // derived only
};

} // namespace sarvikhelpers_1_0
