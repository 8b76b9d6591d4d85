#pragma once
// The values of one attribute over time ("counter.value"), as the database holds them under the
// name "<table>.<attribute>": points (tick, value) of every instance merged into tick order.
// Attribute-over-time walkers read them. Immutable after construction.

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <ddb_2_2/table.h>

#include <vector>

namespace dd_sarvik_2_2 {

class TimedAttributeData : public ddb_2_2::table {
public:
    explicit TimedAttributeData(const store::TimedAttributeRecord& record);

    ddb_2_2::string get_type_name() const override { return L"dd_timed_attribute_obj"; }

    /// All points, sorted by tick (stable across instances).
    const std::vector<store::TimedValueRecord>& points() const { return m_points; }

private:
    std::vector<store::TimedValueRecord> m_points;
};

}  // namespace dd_sarvik_2_2
