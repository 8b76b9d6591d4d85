#pragma once
// Finds the band objects of one row in a per-row band table. The table's first key serves as the
// template of every row's key (only its index changes), so the keys are never searched. Shared
// by the marker, transition and state-strip readers, which then walk the objects themselves.
#include <dd_sarvik_2_2/dd_band_timeline_key.h>
#include <ddb_2_2/database.h>
#include <ddb_2_2/string.h>

#include <functional>

namespace velmora_1_0 {

class BandRowLookup {
public:
    enum Outcome {
        FAILED,  // no such table, or a table of another kind
        NO_DATA, // no key, no objects for the row, or cancelled before the lookup
        FOUND
    };

    template <class Table>
    static Outcome find(Table& table, const ddb_2_2::string& name, const ddb_2_2::database& db, int row,
                        const std::function<bool()>& isCanceled, typename Table::iterator& objects)
    {
        if (!table.initialize(name, db))
            return FAILED;
        typename Table::key_iterator keys;
        table.get_key_iterator(keys);
        if (keys.at_end() || isCanceled())
            return NO_DATA;
        dd_sarvik_2_2::dd_band_timeline_key key = *keys;
        key.set_index(ddb_2_2::index(row));
        return table.get_data(objects, key) ? FOUND : NO_DATA;
    }
};

} // namespace velmora_1_0
