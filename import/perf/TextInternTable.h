#pragma once
// Numbers distinct texts in the order they are first seen, looked up by a view so that a key
// read from the input buffer costs no allocation when it is already known. Keys made of several
// parts are joined with '\0' (see join/split).
#include <cstdint>
#include <deque>
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
    std::size_t size() const { return m_keys.size(); }
    const std::string& key(std::size_t index) const { return m_keys[index]; }

    // `parts` joined by '\0' into `into` (reused between calls to spare allocations).
    static std::string_view join(std::string& into, std::initializer_list<std::string_view> parts)
    {
        into.clear();
        for (const std::string_view& part : parts) {
            if (&part != parts.begin())
                into.push_back('\0');
            into.append(part);
        }
        return into;
    }
    static std::vector<std::string_view> split(std::string_view key)
    {
        std::vector<std::string_view> parts;
        for (std::size_t end = key.find('\0'); end != std::string_view::npos; end = key.find('\0')) {
            parts.push_back(key.substr(0, end));
            key.remove_prefix(end + 1);
        }
        parts.push_back(key);
        return parts;
    }

private:
    std::deque<std::string> m_keys;
    std::unordered_map<std::string_view, std::int32_t> m_index;
};

} // namespace velmora_import
