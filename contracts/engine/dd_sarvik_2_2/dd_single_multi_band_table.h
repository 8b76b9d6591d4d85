#pragma once
// Reader of a band table of per-row states naming the row that signalled them (states and transitions). Usage: see dd_band_object_table.
// get_data returns false when the key's row has no objects.

#include <dd_sarvik_2_2/dd_band_object_table.h>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_single_multi_band_table : public dd_band_object_table {
public:
    using iterator = dd_band_object_iterator<dd_single_multi_band_obj>;

    /// False when the database has no such table or it is of another kind.
    bool initialize(const ddb_2_2::string& name, const ddb_2_2::database& db)
    {
        return open(name, db, dd_band_kind::single_multi_band);
    }
    bool get_data(iterator& it, const dd_band_timeline_key& key) const
    {
        return make_iterator(it, key.get_index().get());
    }
};

}  // namespace dd_sarvik_2_2
