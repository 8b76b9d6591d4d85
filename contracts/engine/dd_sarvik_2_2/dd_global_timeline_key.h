#pragma once
// The key of a global band table's objects: its key name. A table answers the key equal to its
// key name or to its attribute table's name.

#include <ddb_2_2/string.h>

namespace dd_sarvik_2_2 {

class dd_global_timeline_key {
public:
    dd_global_timeline_key() = default;
    explicit dd_global_timeline_key(ddb_2_2::string name) : m_name(std::move(name)) {}

    const ddb_2_2::string& get_name() const { return m_name; }

private:
    ddb_2_2::string m_name;
};

}  // namespace dd_sarvik_2_2
