#include <dd_sarvik_2_2/filter/dd_filter_eval.h>

#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_store.h>

#include "filter/TimeRanges.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

namespace {

std::vector<std::shared_ptr<const dd_filter_state>> statesOf(const ddb_2_2::database& db,
                                                             const std::vector<ddb_2_2::string>& names)
{
    const auto store = dd_filter_store::find(db);
    return store ? store->get_states(names) : std::vector<std::shared_ptr<const dd_filter_state>>();
}

}  // namespace

dd_filter_eval::dd_filter_eval(const ddb_2_2::database& db)
    : dd_filter_eval(db, std::vector<ddb_2_2::string>{dd_filter::global_name})
{
}

dd_filter_eval::dd_filter_eval(const ddb_2_2::database& db, const std::vector<ddb_2_2::string>& filterNames)
    : dd_filter_eval(statesOf(db, filterNames))
{
}

dd_filter_eval::dd_filter_eval(std::vector<std::shared_ptr<const dd_filter_state>> states)
    : m_states(std::move(states)), m_time(std::make_unique<TimeRanges>())
{
    for (const auto& state : m_states)
        m_time->intersectWith(state->time_items);
    m_halfOpenRanges = m_time->halfOpen();
}

dd_filter_eval::~dd_filter_eval() = default;

bool dd_filter_eval::has_filters() const
{
    return std::any_of(m_states.begin(), m_states.end(), [](const auto& state) { return state->has_filters(); });
}

bool dd_filter_eval::has_time_filter() const
{
    return m_time->isRestricted();
}

void dd_filter_eval::reduce_profile_filter(const ddb_2_2::string& table, reduced_attribute_filter& out) const
{
    out.clear();
    std::vector<const dd_attribute_filter*> items;
    for (const auto& state : m_states) {
        items.clear();
        for (const auto& item : state->profile_items) {
            if (item.get_table() == table)
                items.push_back(&item);
        }
        out.add_clause(items);
    }
}

std::shared_ptr<const reduced_attribute_filter> dd_filter_eval::get_reduced(const ddb_2_2::string& table) const
{
    {
        table_name_map::const_accessor found;
        if (m_reduced.find(found, table))
            return found->second;
    }
    // Reduce outside the map's lock; a thread that lost the race uses the winner's reduction.
    auto reduced = std::make_shared<reduced_attribute_filter>();
    reduce_profile_filter(table, *reduced);
    table_name_map::accessor slot;
    if (m_reduced.insert(slot, table))
        slot->second = std::move(reduced);
    return slot->second;
}

bool dd_filter_eval::check_filter(const ddb_2_2::string& table, ddb_2_2::index i) const
{
    return get_reduced(table)->check_filter(i);
}

bool dd_filter_eval::check_time(std::uint64_t start, std::uint64_t end) const
{
    return m_time->overlaps(start, end);
}

void dd_filter_eval::clip_time(std::uint64_t start, std::uint64_t end, tick_ranges& out) const
{
    m_time->clip(start, end, out);
}

}  // namespace dd_sarvik_2_2
