#include <dd_sarvik_2_2/filter/reduced_attribute_filter.h>

#include <dd_sarvik_2_2/filter/dd_attribute_filter.h>

#include <algorithm>

namespace dd_sarvik_2_2 {

namespace {

// Instance indices arrive as any integer tag; false for values that are no integer.
bool asInteger(const ddb_2_2::variant& value, std::int64_t& out)
{
    switch (value.get_type()) {
    case ddb_2_2::variant::type_int32: out = value.get_int32(); return true;
    case ddb_2_2::variant::type_uint32: out = value.get_uint32(); return true;
    case ddb_2_2::variant::type_int64: out = value.get_int64(); return true;
    case ddb_2_2::variant::type_uint64: out = static_cast<std::int64_t>(value.get_uint64()); return true;
    default: return false;
    }
}

bool contains(const std::vector<std::int64_t>& sorted, std::int64_t value)
{
    return std::binary_search(sorted.begin(), sorted.end(), value);
}

bool contains(const std::vector<ddb_2_2::variant>& values, const ddb_2_2::variant& value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

void sortUnique(std::vector<std::int64_t>& values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

}  // namespace

void reduced_attribute_filter::add_clause(const std::vector<const dd_attribute_filter*>& items)
{
    if (items.empty())
        return;
    clause c;
    for (const auto* item : items) {
        std::int64_t integer = 0;
        const bool isInteger = asInteger(item->get_value(), integer);
        if (isInteger)
            (item->is_negated() ? c.excluded : c.included).push_back(integer);
        else
            (item->is_negated() ? c.excludedValues : c.includedValues).push_back(item->get_value());
    }
    sortUnique(c.included);
    sortUnique(c.excluded);
    m_clauses.push_back(std::move(c));
}

bool reduced_attribute_filter::check_filter(ddb_2_2::index i) const
{
    return passesInteger(i.get());
}

bool reduced_attribute_filter::passesInteger(std::int64_t value) const
{
    return std::all_of(m_clauses.begin(), m_clauses.end(), [value](const clause& c) {
        return (!c.hasIncluded() || contains(c.included, value)) && !contains(c.excluded, value);
    });
}

bool reduced_attribute_filter::check_value(const ddb_2_2::variant& value) const
{
    std::int64_t integer = 0;
    if (asInteger(value, integer))
        return passesInteger(integer);
    return std::all_of(m_clauses.begin(), m_clauses.end(), [&value](const clause& c) {
        return (!c.hasIncluded() || contains(c.includedValues, value)) && !contains(c.excludedValues, value);
    });
}

}  // namespace dd_sarvik_2_2
