#include <mirrow2/object_registry.h>

namespace mirrow2 {

type_registration_t object_registry_t::register_type(const std::string& name, bool abstract)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto [it, inserted] = m_ids.emplace(name, static_cast<std::uint32_t>(m_types.size() + 1));
    if (inserted)
        m_types.push_back({name, it->second, abstract});
    return m_types[it->second - 1];
}

std::optional<type_registration_t> object_registry_t::find_type(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_ids.find(name);
    if (it == m_ids.end())
        return std::nullopt;
    return m_types[it->second - 1];
}

std::optional<type_registration_t> object_registry_t::find_type(std::uint32_t id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id == 0 || id > m_types.size())
        return std::nullopt;
    return m_types[id - 1];
}

std::size_t object_registry_t::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_types.size();
}

object_registry_t& get_object_registry()
{
    // Function-local so libraries registering at load time never see it unconstructed.
    static object_registry_t registry;
    return registry;
}

} // namespace mirrow2
