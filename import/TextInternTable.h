#pragma once
// Numbers distinct texts in the order they are first seen, looked up by a view so that a key
// read from the input buffer costs no allocation when it is already known. Keys made of several
// parts are joined with each part's length before it (see join/split), so a part may hold any
// byte, '\0' included (JSON text may spell it).
#include <cstdint>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora_import {

class TextInternTable {
public:
    std::int32_t index(std::string_view key)
    {
        const auto found = m_index.find(key);
        if (found != m_index.end())
            return found->second;
        const auto index = static_cast<std::int32_t>(m_keys.size());
        m_keys.emplace_back(key);
        m_index.emplace(m_keys.back(), index); // a deque never moves its elements
        return index;
    }
    // The index of a known key; -1 for one never seen.
    std::int32_t find(std::string_view key) const
    {
        const auto found = m_index.find(key);
        return found == m_index.end() ? -1 : found->second;
    }
    std::size_t size() const { return m_keys.size(); }
    const std::string& key(std::size_t index) const { return m_keys[index]; }

    // `parts` joined into `into` (reused between calls to spare allocations).
    static std::string_view join(std::string& into, std::initializer_list<std::string_view> parts)
    {
        into.clear();
        for (const std::string_view& part : parts) {
            const auto length = static_cast<std::uint32_t>(part.size());
            into.append(reinterpret_cast<const char*>(&length), sizeof length);
            into.append(part);
        }
        return into;
    }
    static std::vector<std::string_view> split(std::string_view key)
    {
        std::vector<std::string_view> parts;
        while (key.size() >= sizeof(std::uint32_t)) {
            std::uint32_t length = 0;
            std::memcpy(&length, key.data(), sizeof length);
            key.remove_prefix(sizeof length);
            parts.push_back(key.substr(0, length));
            key.remove_prefix(parts.back().size());
        }
        return parts;
    }

private:
    std::deque<std::string> m_keys;
    std::unordered_map<std::string_view, std::int32_t> m_index;
};

} // namespace velmora_import
