#pragma once
// The samples of one sample table as the database holds them: intervals of threads (rows) spent
// in instances of the table's attribute table, sorted by (row, start), with each row's range.
// Over-time queries read them; so does engine code that needs activity per row (filter display).
// Immutable after construction.

#include "sarvik/SampleColumns.h"

#include <dd_sarvik_2_2/dd_row_ranges.h>
#include <ddb_2_2/table.h>

#include <string>

namespace dd_sarvik_2_2 {

class SampleTableData : public ddb_2_2::table {
public:
    /// `samples` finished.
    SampleTableData(std::wstring name, std::wstring attributeTable, SampleColumns samples);

    // Samples are aggregated activity bands of the threads; the pane accepts over-time layers
    // only on band tables, so the table reports that band type.
    ddb_2_2::string get_type_name() const override { return L"dd_aggregated_band_obj"; }

    const std::wstring& name() const { return m_name; }
    const std::wstring& attributeTable() const { return m_attributeTable; }
    const SampleColumns& samples() const { return m_samples; }
    const dd_row_ranges& rows() const { return m_samples.rows(); }

private:
    std::wstring m_name;
    std::wstring m_attributeTable;
    SampleColumns m_samples;
};

}  // namespace dd_sarvik_2_2
