#pragma once
// reduced_attribute_filter: the profile items of one or more filters that name one table, ready
// for fast tests of that table's instances. dd_filter_eval::reduce_profile_filter fills it; an
// empty one lets everything through. Immutable once filled, so threads share it freely.

#include <ddb_2_2/index.h>
#include <ddb_2_2/variant.h>
#include <engine_export.h>

#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {

class dd_attribute_filter;

class SARVIK_API reduced_attribute_filter {
public:
    /// True when some filter restricts the table.
    bool restricts() const { return !m_clauses.empty(); }
    /// Whether the instance `i` passes: for each filter, it equals one of its plain items (or
    /// there are none) and none of its negated items.
    bool check_filter(ddb_2_2::index i) const;
    /// As check_filter, for items that hold attribute values rather than instance indices.
    bool check_value(const ddb_2_2::variant& value) const;

    void clear() { m_clauses.clear(); }
    /// Adds the items of one filter that name this table as one more required clause.
    void add_clause(const std::vector<const dd_attribute_filter*>& items);

private:
    // The items of one filter. Integer values (instance indices) are kept sorted apart so that
    // row tests are binary searches.
    struct clause {
        std::vector<std::int64_t> included;
        std::vector<std::int64_t> excluded;
        std::vector<ddb_2_2::variant> includedValues;
        std::vector<ddb_2_2::variant> excludedValues;
        bool hasIncluded() const { return !included.empty() || !includedValues.empty(); }
    };

    bool passesInteger(std::int64_t value) const;

    std::vector<clause> m_clauses;
};

}  // namespace dd_sarvik_2_2
