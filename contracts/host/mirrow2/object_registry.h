#pragma once
#include <host_export.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace mirrow2 {

// What registering a type name gives back; ids start at 1 and stay stable for the process.
struct type_registration_t {
    std::string m_name;
    std::uint32_t m_id = 0;
    bool m_abstract = false;
};

// Type names by which objects can be asked for an interface. Registering a name again
// returns the first registration (same id, first abstract flag). Thread-safe.
class HOST_API object_registry_t {
public:
    type_registration_t register_type(const std::string& name, bool abstract);
    std::optional<type_registration_t> find_type(const std::string& name) const;
    std::optional<type_registration_t> find_type(std::uint32_t id) const;
    std::size_t size() const;

private:
    mutable std::mutex m_mutex;
    std::vector<type_registration_t> m_types; // id - 1 is the index
    std::unordered_map<std::string, std::uint32_t> m_ids;
};

// The process-wide registry, created on first use.
HOST_API object_registry_t& get_object_registry();

} // namespace mirrow2
