#pragma once
// What the four band table readers share: opening a band table of one kind by name, walking
// its per-row keys, and walking one key's objects as the reader's object type.
//
//     dd_single_band_table table;
//     if (!table.initialize(name, database)) ...            // no such table, or another kind
//     dd_single_band_table::key_iterator keys;
//     table.get_key_iterator(keys);                          // one key per row with objects
//     dd_band_timeline_key key = *keys; key.set_index(ddb_2_2::index(row));
//     dd_single_band_table::iterator objects;
//     if (table.get_data(objects, key))
//         for (; !objects.at_end(); ++objects) use(*objects);
//
// Iterators keep the table alive, so a table replaced in the database meanwhile stays readable.

#include <dd_sarvik_2_2/dd_band_data.h>
#include <dd_sarvik_2_2/dd_band_timeline_key.h>
#include <dd_sarvik_2_2/dd_global_timeline_key.h>
#include <ddb_2_2/database.h>
#include <engine_export.h>

#include <cstddef>
#include <memory>

namespace dd_sarvik_2_2 {

/// Walks stored records as objects of type Obj (Obj::from converts).
template <class Obj>
class dd_band_object_iterator {
public:
    dd_band_object_iterator() = default;
    dd_band_object_iterator(std::shared_ptr<const dd_band_data> data, std::size_t begin, std::size_t end)
        : m_data(std::move(data)), m_position(begin), m_end(end)
    {
    }

    bool valid() const { return m_data != nullptr; }
    bool at_end() const { return !m_data || m_position >= m_end; }
    Obj operator*() const { return Obj::from(m_data->records()[m_position]); }
    dd_band_object_iterator& operator++()
    {
        ++m_position;
        return *this;
    }
    std::size_t size() const { return m_data ? m_end - m_position : 0; }

private:
    std::shared_ptr<const dd_band_data> m_data;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
};

class SARVIK_API dd_band_object_table {
public:
    /// The keys of a per-row table: one per row that has objects, in row order.
    class SARVIK_API key_iterator {
    public:
        bool valid() const { return m_data != nullptr; }
        bool at_end() const { return !m_data || m_position >= m_data->rows().size(); }
        dd_band_timeline_key operator*() const;
        key_iterator& operator++()
        {
            ++m_position;
            return *this;
        }

    private:
        friend class dd_band_object_table;
        std::shared_ptr<const dd_band_data> m_data;
        std::size_t m_position = 0;
    };

    /// False (iterator invalid) when the table is not initialised.
    bool get_key_iterator(key_iterator& it) const;

    const ddb_2_2::string& get_name() const { return m_name; }
    /// The attribute table of the objects' instance indices; empty before initialize.
    ddb_2_2::string get_attribute_table() const;
    /// Number of objects in the table.
    std::size_t size() const;

protected:
    dd_band_object_table() = default;
    ~dd_band_object_table() = default;

    bool open(const ddb_2_2::string& name, const ddb_2_2::database& db, dd_band_kind kind);
    /// Global tables: the key names this table's series (its key name or attribute table).
    bool answers(const dd_global_timeline_key& key) const;
    /// [begin, end) of the objects under `row`; false when the table is not open.
    bool row_range(std::int32_t row, std::size_t& begin, std::size_t& end) const;

    template <class Obj>
    bool make_iterator(dd_band_object_iterator<Obj>& it, std::int32_t row) const
    {
        std::size_t begin = 0;
        std::size_t end = 0;
        if (!row_range(row, begin, end))
            return false;
        it = dd_band_object_iterator<Obj>(m_data, begin, end);
        return begin != end;
    }

    std::shared_ptr<const dd_band_data> m_data;
    ddb_2_2::string m_name;
};

}  // namespace dd_sarvik_2_2
