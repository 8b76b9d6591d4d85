#include <ddb_2_2/database.h>
#include <ddb_2_2/table.h>

#include <mutex>

namespace ddb_2_2 {

database::database() = default;
database::~database() = default;

string database::get_table_type(const string& name) const
{
    const std::shared_ptr<table> t = get_table(name);
    return t ? t->get_type_name() : string();
}

void database::add_table(const string& name, std::shared_ptr<table> t)
{
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    m_tables[name] = std::move(t);
}

bool database::remove_table(const string& name)
{
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    return m_tables.erase(name) > 0;
}

std::shared_ptr<table> database::get_table(const string& name) const
{
    std::shared_lock<std::shared_mutex> lock(m_mutex);
    const auto found = m_tables.find(name);
    return found == m_tables.end() ? nullptr : found->second;
}

bool database::has_table(const string& name) const
{
    return get_table(name) != nullptr;
}

std::vector<string> database::get_table_names() const
{
    std::shared_lock<std::shared_mutex> lock(m_mutex);
    std::vector<string> names;
    names.reserve(m_tables.size());
    for (const auto& entry : m_tables)
        names.push_back(entry.first);
    return names;
}

}  // namespace ddb_2_2
