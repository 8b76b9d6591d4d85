#pragma once
// What the status line says: one entry per layer that is still loading, in the order the layers
// started, each with its progress text and either a query percentage or its loading counters.
// A plain model so that the wording is tested without a window.
#include <vector>

#include <wx/string.h>

namespace tarquel_1_0 {

class ProgressBoard {
public:
    struct Entry {
        const void* key;
        wxString name;
        wxString text;
        int done;
        int total;
        int percent; // a query's percentage; outside 0..99 the counters are shown
    };

    // Adds or replaces the entry of `key`; an entry whose total is 0 (nothing outstanding) is removed.
    void update(const Entry& entry);
    void remove(const void* key);
    bool empty() const { return m_entries.empty(); }
    // e.g. "Loading data: CPU 40% | Markers 3/8"; empty when nothing loads.
    wxString describe() const;

private:
    std::vector<Entry> m_entries;
};

} // namespace tarquel_1_0
