#pragma once
// The band table of row lifetimes ("dd_band") as the database holds it, with the collection's
// own range so that the band limits cover the whole collection.

#include <dd_sarvik_2_2/dd_band_objects.h>
#include <ddb_2_2/table.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class LifetimeTableData : public ddb_2_2::table {
public:
    LifetimeTableData(std::vector<dd_band_obj> objects, std::uint64_t collectionStart,
                      std::uint64_t collectionEnd);

    ddb_2_2::string get_type_name() const override { return L"dd_band_obj"; }

    /// Shared with readers, which keep it alive.
    const std::shared_ptr<const std::vector<dd_band_obj>>& objects() const { return m_objects; }
    std::uint64_t minStart() const { return m_minStart; }
    std::uint64_t maxEnd() const { return m_maxEnd; }

private:
    std::shared_ptr<const std::vector<dd_band_obj>> m_objects;
    std::uint64_t m_minStart;
    std::uint64_t m_maxEnd;
};

}  // namespace dd_sarvik_2_2
