#pragma once
// A registry of named tables.
//
// Tables are added when a result is opened and may be added or replaced while queries run
// (a filter display stores its table by name), so every access takes the registry's lock and
// hands out shared ownership: a table replaced or removed stays alive while a query holds it.

#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <map>
#include <memory>
#include <shared_mutex>
#include <vector>

namespace ddb_2_2 {

class table;

class SARVIK_API database {
public:
    database();
    virtual ~database();
    database(const database&) = delete;
    database& operator=(const database&) = delete;

    /// The type name of the table called `name`; empty when there is no such table.
    string get_table_type(const string& name) const;

    /// Adds `t` under `name`, replacing a table of that name.
    void add_table(const string& name, std::shared_ptr<table> t);
    /// False when there was no table of that name.
    bool remove_table(const string& name);
    /// Null when there is no table of that name.
    std::shared_ptr<table> get_table(const string& name) const;
    bool has_table(const string& name) const;
    /// The names of all tables, in name order.
    std::vector<string> get_table_names() const;

private:
    mutable std::shared_mutex m_mutex;
    std::map<string, std::shared_ptr<table>> m_tables;
};

}  // namespace ddb_2_2
