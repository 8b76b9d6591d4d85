#include <mirrow2/variant_bag_t.h>

#include <algorithm>

namespace mirrow2 {

variant_bag_t::variant_bag_t(std::wstring name) : m_name(std::move(name)) {}

void variant_bag_t::set_name(std::wstring name) { m_name = std::move(name); }

void variant_bag_t::add_value(std::wstring name, variant_t value)
{
    m_values.emplace_back(std::move(name), std::move(value));
}

bool variant_bag_t::has_value(const std::wstring& name) const
{
    return std::any_of(m_values.begin(), m_values.end(),
                       [&name](const value_entry_t& entry) { return entry.first == name; });
}

variant_t variant_bag_t::get_value(const std::wstring& name, const variant_t& fallback) const
{
    const auto it = std::find_if(m_values.begin(), m_values.end(),
                                 [&name](const value_entry_t& entry) { return entry.first == name; });
    return it == m_values.end() ? fallback : it->second;
}

const variant_t& variant_bag_t::first_value() const
{
    static const variant_t none;
    return m_values.empty() ? none : m_values.front().second;
}

variant_bag_t& variant_bag_t::add_bag(variant_bag_t bag)
{
    m_bags.push_back(std::move(bag));
    return m_bags.back();
}

const variant_bag_t* variant_bag_t::find_bag(const std::wstring& name) const
{
    const auto it = std::find_if(m_bags.begin(), m_bags.end(),
                                 [&name](const variant_bag_t& bag) { return bag.m_name == name; });
    return it == m_bags.end() ? nullptr : &*it;
}

variant_bag_t variant_bag_t::get_bag(const std::wstring& name, const variant_bag_t& fallback) const
{
    const variant_bag_t* bag = find_bag(name);
    return bag ? *bag : fallback;
}

bool variant_bag_t::operator==(const variant_bag_t& other) const
{
    return m_name == other.m_name && m_values == other.m_values && m_bags == other.m_bags;
}

} // namespace mirrow2
