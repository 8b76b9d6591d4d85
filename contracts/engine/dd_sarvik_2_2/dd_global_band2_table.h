#pragma once
// Reader of a band table of global durations (data type 35), ordered by start. Usage: see dd_band_object_table, with
// a dd_global_timeline_key; get_data returns false when the key names another series or the
// table is empty.

#include <dd_sarvik_2_2/dd_band_object_table.h>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_global_band2_table : public dd_band_object_table {
public:
    using iterator = dd_band_object_iterator<dd_global_band_obj2>;

    bool initialize(const ddb_2_2::string& name, const ddb_2_2::database& db)
    {
        return open(name, db, dd_band_kind::global_durations);
    }
    bool get_data(iterator& it, const dd_global_timeline_key& key) const
    {
        return answers(key) && make_iterator(it, -1);
    }
};

}  // namespace dd_sarvik_2_2
