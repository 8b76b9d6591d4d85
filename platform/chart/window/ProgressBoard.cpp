#include "ProgressBoard.h"

#include <algorithm>

namespace tarquel_1_0 {

void ProgressBoard::update(const Entry& entry)
{
    // Only the layer's own counters say whether it is done: a query at 100% may still wait to be applied.
    const bool finished = entry.total <= 0;
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.key == entry.key; });
    if (finished) {
        if (it != m_entries.end())
            m_entries.erase(it);
        return;
    }
    if (it == m_entries.end())
        m_entries.push_back(entry);
    else
        *it = entry;
}

void ProgressBoard::remove(const void* key)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.key == key; }),
                    m_entries.end());
}

wxString ProgressBoard::describe() const
{
    wxString out;
    for (const Entry& e : m_entries) {
        if (!out.empty())
            out += " | ";
        if (!e.text.empty())
            out += e.text + ": ";
        out += e.name;
        if (e.percent >= 0 && e.percent < 100)
            out += wxString::Format(" %d%%", e.percent);
        else if (e.total > 1)
            out += wxString::Format(" %d/%d", e.done, e.total);
    }
    return out;
}

} // namespace tarquel_1_0
