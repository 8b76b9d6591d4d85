#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>

#include <dd_sarvik_2_2/filter/dd_filter_store.h>

#include <algorithm>

namespace dd_sarvik_2_2 {

namespace {

// The timestamps `name` stands for: those a display of that name was computed from, else those
// of the filter of that name. A display follows one filter; should it follow several, the
// latest stamp of each kind represents them (stamps only grow, so any change still shows).
dd_filter_timestamp lookUp(const ddb_2_2::string& name, const ddb_2_2::database& db)
{
    const auto store = dd_filter_store::find(db);
    if (!store)
        return dd_filter_timestamp(name, 0, 0);
    const auto source = store->get_displays().get_source(name);
    if (source.empty()) {
        const auto state = store->get_state(name);
        return dd_filter_timestamp(name, state->profile_ts, state->time_ts);
    }
    std::uint64_t profileTs = 0;
    std::uint64_t timeTs = 0;
    for (const auto& stamp : source) {
        profileTs = std::max(profileTs, stamp.get_profile_ts());
        timeTs = std::max(timeTs, stamp.get_time_ts());
    }
    return dd_filter_timestamp(name, profileTs, timeTs);
}

}  // namespace

std::uint64_t dd_filter_timestamp::get_profile_filter_ts(const ddb_2_2::string& name, const ddb_2_2::database& db)
{
    return lookUp(name, db).get_profile_ts();
}

std::uint64_t dd_filter_timestamp::get_time_filter_ts(const ddb_2_2::string& name, const ddb_2_2::database& db)
{
    return lookUp(name, db).get_time_ts();
}

}  // namespace dd_sarvik_2_2
