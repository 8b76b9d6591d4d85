#pragma once
// Numbers distinct keys in the order they are first seen: the instance indices of an attribute
// table built while reading (names of slices, counters, ...). Looked up once per event, so the
// index is hashed: an ordered map spent most of its time comparing long equal prefixes. Each key
// is held once, in the index; the numbering points at it there.
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace velmora_import {

// Hashes a text or a tuple of texts (each part hashed, then mixed in order).
struct InternKeyHash {
    std::size_t operator()(const std::string& text) const { return std::hash<std::string>()(text); }
    template <class... Parts>
    std::size_t operator()(const std::tuple<Parts...>& key) const
    {
        std::size_t seed = 0;
        std::apply([&](const auto&... part) { ((seed = mix(seed, (*this)(part))), ...); }, key);
        return seed;
    }

private:
    static std::size_t mix(std::size_t seed, std::size_t value)
    {
        return seed ^ (value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2));
    }
};

template <class Key>
class InternTable {
public:
    std::int32_t index(const Key& key)
    {
        // Finding first spares building a node for a key that is known, the common case.
        if (const auto found = m_index.find(key); found != m_index.end())
            return found->second;
        const auto index = static_cast<std::int32_t>(m_keys.size());
        m_keys.push_back(&m_index.emplace(key, index).first->first);
        return index;
    }
    std::size_t size() const { return m_keys.size(); }
    const Key& key(std::size_t index) const { return *m_keys[index]; }

private:
    std::unordered_map<Key, std::int32_t, InternKeyHash> m_index;
    std::vector<const Key*> m_keys; // into m_index, whose nodes never move
};

} // namespace velmora_import
