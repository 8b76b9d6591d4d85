#pragma once
#include <host_export.h>
#include <mirrow2/variant_t.h>

#include <string>
#include <utility>
#include <vector>

namespace mirrow2 {

// A named tree node of values, as read from an element of a document: named values (the
// attributes) and named child bags (the child elements), each kept in insertion order
// with repeated names allowed. Lookups by name find the first entry of that name. A plain
// value type: copying copies the whole tree.
class HOST_API variant_bag_t {
public:
    using value_entry_t = std::pair<std::wstring, variant_t>;

    variant_bag_t() = default;
    explicit variant_bag_t(std::wstring name);

    const std::wstring& name() const { return m_name; }
    void set_name(std::wstring name);
    // No values and no children (a name alone does not count).
    bool empty() const { return m_values.empty() && m_bags.empty(); }

    void add_value(std::wstring name, variant_t value);
    bool has_value(const std::wstring& name) const;
    variant_t get_value(const std::wstring& name, const variant_t& fallback = variant_t()) const;
    // The first value in insertion order (an element's text comes first), or an empty variant.
    const variant_t& first_value() const;
    const std::vector<value_entry_t>& values() const { return m_values; }

    // Appends a child and returns it; the reference holds until the next add_bag.
    variant_bag_t& add_bag(variant_bag_t bag);
    bool has_bag(const std::wstring& name) const { return find_bag(name) != nullptr; }
    // The first child of that name, or nullptr.
    const variant_bag_t* find_bag(const std::wstring& name) const;
    variant_bag_t get_bag(const std::wstring& name, const variant_bag_t& fallback = variant_bag_t()) const;
    // Children in order; each child's name() is its element name.
    const std::vector<variant_bag_t>& bags() const { return m_bags; }

    bool operator==(const variant_bag_t& other) const;
    bool operator!=(const variant_bag_t& other) const { return !(*this == other); }

private:
    std::wstring m_name;
    std::vector<value_entry_t> m_values;
    std::vector<variant_bag_t> m_bags;
};

} // namespace mirrow2
