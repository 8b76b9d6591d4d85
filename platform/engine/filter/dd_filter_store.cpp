#include <dd_sarvik_2_2/filter/dd_filter_store.h>

#include <ddb_2_2/database.h>


namespace dd_sarvik_2_2 {

namespace {

const std::shared_ptr<const dd_filter_state>& emptyState()
{
    static const auto empty = std::make_shared<const dd_filter_state>();
    return empty;
}

}  // namespace

std::shared_ptr<dd_filter_store> dd_filter_store::attach(ddb_2_2::database& db)
{
    // The database replaces a table added under an existing name, so two first users racing
    // must not both add a store: creation is serialized. Only the first use per database
    // takes this lock for longer than a lookup.
    static std::mutex attachLock;
    std::lock_guard<std::mutex> guard(attachLock);
    if (auto existing = find(db))
        return existing;
    auto store = std::make_shared<dd_filter_store>();
    db.add_table(table_name, store);
    return store;
}

std::shared_ptr<dd_filter_store> dd_filter_store::find(const ddb_2_2::database& db)
{
    return std::dynamic_pointer_cast<dd_filter_store>(db.get_table(table_name));
}

ddb_2_2::string dd_filter_store::get_type_name() const
{
    return table_name;
}

dd_filter_store::state_ptr dd_filter_store::get_state(const ddb_2_2::string& name) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    const auto it = m_filters.find(name);
    return it == m_filters.end() ? emptyState() : it->second;
}

std::vector<dd_filter_store::state_ptr> dd_filter_store::get_states(const std::vector<ddb_2_2::string>& names) const
{
    std::vector<state_ptr> states;
    states.reserve(names.size());
    std::lock_guard<std::mutex> guard(m_lock);
    for (const auto& name : names) {
        const auto it = m_filters.find(name);
        states.push_back(it == m_filters.end() ? emptyState() : it->second);
    }
    return states;
}

template <class Change>
void dd_filter_store::rewrite(const ddb_2_2::string& name, Change change)
{
    auto& slot = m_filters[name];
    auto next = std::make_shared<dd_filter_state>(slot ? *slot : dd_filter_state());
    change(*next, ++m_clock);
    slot = std::move(next);
}

void dd_filter_store::clear_filter(const ddb_2_2::string& name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    rewrite(name, [](dd_filter_state& state, std::uint64_t stamp) {
        state.time_items.clear();
        state.profile_items.clear();
        state.profile_ts = stamp;
        state.time_ts = stamp;
    });
}

void dd_filter_store::add_time_items(const ddb_2_2::string& name, const std::vector<dd_time_filter>& items)
{
    std::lock_guard<std::mutex> guard(m_lock);
    rewrite(name, [&items](dd_filter_state& state, std::uint64_t stamp) {
        state.time_items.insert(state.time_items.end(), items.begin(), items.end());
        state.time_ts = stamp;
    });
}

void dd_filter_store::add_profile_items(const ddb_2_2::string& name, const std::vector<dd_attribute_filter>& items)
{
    std::lock_guard<std::mutex> guard(m_lock);
    rewrite(name, [&items](dd_filter_state& state, std::uint64_t stamp) {
        state.profile_items.insert(state.profile_items.end(), items.begin(), items.end());
        state.profile_ts = stamp;
    });
}

}  // namespace dd_sarvik_2_2
