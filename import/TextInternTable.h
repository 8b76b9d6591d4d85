#pragma once
// Numbers distinct texts in the order they are first seen, looked up by a view so that a key
// read from the input buffer costs no allocation when it is already known. Looked up once or
// twice per event, so it keeps its keys packed in large blocks and finds them by open
// addressing: a node and a string allocated per key, and a pointer chased to each on lookup,
// were most of its cost. Keys made of several parts are joined with each part's length before
// it (see join/split), so a part may hold any byte, '\0' included (JSON text may spell it).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora_import {

class TextInternTable {
public:
    std::int32_t index(std::string_view key)
    {
        const std::size_t hash = std::hash<std::string_view>()(key);
        const std::size_t slot = slotOf(key, hash);
        if (m_slots[slot] >= 0)
            return m_slots[slot];
        const auto index = static_cast<std::int32_t>(m_keys.size());
        m_keys.push_back(stored(key));
        m_hashes.push_back(hash);
        m_slots[slot] = index;
        if (m_keys.size() * 2 > m_slots.size())
            rehash();
        return index;
    }
    // The index of a known key; -1 for one never seen.
    std::int32_t find(std::string_view key) const
    {
        return m_slots[slotOf(key, std::hash<std::string_view>()(key))];
    }
    std::size_t size() const { return m_keys.size(); }
    std::string_view key(std::size_t index) const { return m_keys[index]; }

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
        forEachPart(key, [&parts](std::size_t, std::string_view part) { parts.push_back(part); });
        return parts;
    }
    // Calls `visit(index, part)` for each part of a joined key, in order; no allocation.
    template <class Visit>
    static void forEachPart(std::string_view key, Visit visit)
    {
        for (std::size_t index = 0; key.size() >= sizeof(std::uint32_t); ++index) {
            std::uint32_t length = 0;
            std::memcpy(&length, key.data(), sizeof length);
            key.remove_prefix(sizeof length);
            const std::string_view part = key.substr(0, length);
            key.remove_prefix(part.size());
            visit(index, part);
        }
    }

private:
    static constexpr std::size_t BLOCK = 1u << 16;

    // The slot holding `key`, or the empty one where it would go.
    std::size_t slotOf(std::string_view key, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const std::int32_t index = m_slots[slot];
            if (index < 0 || (m_hashes[static_cast<std::size_t>(index)] == hash &&
                              m_keys[static_cast<std::size_t>(index)] == key))
                return slot;
        }
    }
    void rehash()
    {
        m_slots.assign(m_slots.size() * 2, -1);
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t index = 0; index < m_keys.size(); ++index) {
            std::size_t slot = m_hashes[index] & mask;
            while (m_slots[slot] >= 0)
                slot = (slot + 1) & mask;
            m_slots[slot] = static_cast<std::int32_t>(index);
        }
    }
    // A copy of `key` in a block that never moves.
    std::string_view stored(std::string_view key)
    {
        if (m_blocks.empty() || m_blockSize - m_blockUsed < key.size()) {
            m_blockSize = std::max(BLOCK, key.size());
            m_blocks.push_back(std::make_unique<char[]>(m_blockSize));
            m_blockUsed = 0;
        }
        char* const at = m_blocks.back().get() + m_blockUsed;
        std::memcpy(at, key.data(), key.size());
        m_blockUsed += key.size();
        return {at, key.size()};
    }

    std::vector<std::int32_t> m_slots = std::vector<std::int32_t>(64, -1); // key indices; -1 empty
    std::vector<std::string_view> m_keys;                                  // into m_blocks
    std::vector<std::size_t> m_hashes;                                     // by key index
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_blockSize = 0; // of the last block, the one filled
    std::size_t m_blockUsed = 0;
};

} // namespace velmora_import
