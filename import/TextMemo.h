#pragma once
// Values worked out from a text, kept by that text so the work is done once per distinct text:
// a recording repeats a few thousand call stacks millions of times, and reading and formatting
// their frames was the largest cost of an import. Keep only values that depend on nothing but
// the key.
//
//   Marked* known = memo.find(key);
//   const Marked& marked = known ? *known : memo.keep(key, workedOut(...));
#include "TextInternTable.h"

#include <string_view>
#include <vector>

namespace velmora_import {

template <class Value>
class TextMemo {
public:
    // The value kept for `key`, which may still be completed; null when there is none. Valid
    // until the next keep().
    Value* find(std::string_view key)
    {
        const std::int32_t index = m_keys.find(key);
        return index < 0 ? nullptr : &m_values[static_cast<std::size_t>(index)];
    }
    Value& keep(std::string_view key, Value value)
    {
        const auto index = static_cast<std::size_t>(m_keys.index(key));
        if (index == m_values.size())
            m_values.push_back(std::move(value));
        return m_values[index];
    }

private:
    TextInternTable m_keys;
    std::vector<Value> m_values; // by the key's index
};

} // namespace velmora_import
