#include <dd_sarvik_2_2/dd_band_data.h>

#include <algorithm>

namespace dd_sarvik_2_2 {

namespace {
bool isGlobal(dd_band_kind kind)
{
    return kind == dd_band_kind::global_instants || kind == dd_band_kind::global_durations;
}
}  // namespace

dd_band_data::dd_band_data(dd_band_kind kind, ddb_2_2::string attributeTable, ddb_2_2::string keyName,
                           std::int32_t keyValue, std::vector<dd_band_record> records)
    : m_kind(kind),
      m_attributeTable(std::move(attributeTable)),
      m_keyName(std::move(keyName)),
      m_keyValue(keyValue),
      m_records(std::move(records))
{
    // Loaded tables come sorted; sorting them anyway would take a buffer of half their size.
    const auto byStart = [](const dd_band_record& a, const dd_band_record& b) { return a.start < b.start; };
    const auto byRowThenStart = [](const dd_band_record& a, const dd_band_record& b) {
        return a.row != b.row ? a.row < b.row : a.start < b.start;
    };
    if (isGlobal(m_kind)) {
        if (!std::is_sorted(m_records.begin(), m_records.end(), byStart))
            std::stable_sort(m_records.begin(), m_records.end(), byStart);
        return;
    }
    if (!std::is_sorted(m_records.begin(), m_records.end(), byRowThenStart))
        std::stable_sort(m_records.begin(), m_records.end(), byRowThenStart);
    m_rows = dd_row_ranges(m_records);
}

ddb_2_2::string dd_band_data::get_type_name() const
{
    switch (m_kind) {
    case dd_band_kind::single_band: return L"dd_single_band_obj";
    case dd_band_kind::single_multi_band: return L"dd_single_multi_band_obj";
    case dd_band_kind::global_instants: return L"dd_global_band_obj";
    case dd_band_kind::global_durations: return L"dd_global_band_obj2";
    }
    return {};
}

std::pair<std::size_t, std::size_t> dd_band_data::row_range(std::int32_t row) const
{
    if (isGlobal(m_kind))
        return {0, m_records.size()};
    return m_rows.range(row);
}

}  // namespace dd_sarvik_2_2
