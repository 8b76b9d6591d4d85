#pragma once
// Numbers distinct keys in the order they are first seen: the instance indices of an attribute
// table built while reading (names of slices, counters, ...).
#include <cstdint>
#include <map>
#include <vector>

namespace velmora_import {

template <class Key>
class InternTable {
public:
    std::int32_t index(const Key& key)
    {
        const auto [found, added] = m_index.emplace(key, static_cast<std::int32_t>(m_keys.size()));
        if (added)
            m_keys.push_back(key);
        return found->second;
    }
    const std::vector<Key>& keys() const { return m_keys; }

private:
    std::vector<Key> m_keys;
    std::map<Key, std::int32_t> m_index;
};

} // namespace velmora_import
