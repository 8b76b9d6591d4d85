#pragma once
// What an import skipped or repaired, counted by kind: each kind becomes one sentence with its
// count ("3 complete events (\"X\") without \"dur\" were shown as instants"), in the order the
// kinds first happened.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace velmora_import {

class ImportNotes {
public:
    // `what` follows the count: "begin events (\"B\") had no end; ...".
    void count(const std::string& what, std::size_t times = 1)
    {
        const auto [found, added] = m_index.emplace(what, m_counts.size());
        if (added)
            m_counts.emplace_back(what, 0);
        m_counts[found->second].second += times;
    }
    std::vector<std::string> sentences() const
    {
        std::vector<std::string> sentences;
        for (const auto& [what, times] : m_counts)
            sentences.push_back(std::to_string(times) + " " + what);
        return sentences;
    }

private:
    std::vector<std::pair<std::string, std::size_t>> m_counts;
    std::map<std::string, std::size_t> m_index;
};

} // namespace velmora_import
