#include "sarvik/SampleSelection.h"

#include "sarvik/AttributePath.h"

#include <dd_sarvik_2_2/filter/dd_filter_eval.h>
#include <dd_sarvik_2_2/filter/reduced_attribute_filter.h>

#include <algorithm>

namespace dd_sarvik_2_2 {

namespace {
std::wstring headOf(const std::wstring& path)
{
    return path.substr(0, path.find(L'.'));
}

std::shared_ptr<const SampleTableData> sampleTable(const ddb_2_2::database& db, const ddb_2_2::string& name)
{
    return std::dynamic_pointer_cast<const SampleTableData>(db.get_table(name));
}

/// The sample table named by a restriction's instance table, else the one whose attribute table
/// heads a restriction's path.
std::shared_ptr<const SampleTableData> findSamples(const ddb_2_2::database& db, const dd_overtime_query& query)
{
    for (const auto& r : query.get_restrictions())
        if (auto samples = sampleTable(db, r.instance_table))
            return samples;
    for (const ddb_2_2::string& name : db.get_table_names()) {
        auto samples = sampleTable(db, name);
        if (!samples)
            continue;
        for (const auto& r : query.get_restrictions())
            if (headOf(r.attribute_path.str()) == samples->attributeTable())
                return samples;
    }
    return nullptr;
}

bool equalValues(const store::StoredValue& stored, const ddb_2_2::variant& wanted)
{
    if (const auto* text = std::get_if<std::wstring>(&stored))
        return wanted.get_type() == ddb_2_2::variant::type_string && wanted.get_string().str() == *text;
    double number = 0.0;
    if (!wanted.to_double(number))
        return false;
    if (const auto* i = std::get_if<std::int64_t>(&stored))
        return static_cast<double>(*i) == number;
    if (const auto* d = std::get_if<double>(&stored))
        return *d == number;
    return false;
}

/// Narrows `mask` (one entry per instance of the path's first table; empty = all pass) to the
/// instances whose path value matches. False when the path does not resolve.
bool restrictByPath(const ddb_2_2::database& db, const dd_overtime_query::restriction& r, std::size_t instances,
                    std::vector<char>& mask)
{
    const auto path = AttributePath::resolve(db, r.attribute_path.str());
    if (!path)
        return false;
    if (mask.empty())
        mask.assign(instances, 1);
    for (std::size_t i = 0; i < instances; ++i) {
        if (!mask[i])
            continue;
        const store::StoredValue v = path->value(i);
        mask[i] = r.has_value ? equalValues(v, r.value) : !std::holds_alternative<std::monostate>(v);
    }
    return true;
}

std::size_t tableSize(const ddb_2_2::database& db, const std::wstring& name, std::size_t fallback)
{
    auto table = AttributeTableData::find(db, name);
    return table ? table->size() : fallback;
}

/// Narrows `mask` to the instances `filter` lets through; unchanged when it does not restrict.
void restrictByFilter(const reduced_attribute_filter& filter, std::size_t instances, std::vector<char>& mask)
{
    if (!filter.restricts())
        return;
    if (mask.empty())
        mask.assign(instances, 1);
    for (std::size_t i = 0; i < instances; ++i)
        mask[i] = mask[i] && filter.check_filter(ddb_2_2::index(static_cast<std::int32_t>(i)));
}
}  // namespace

std::optional<SampleSelection> SampleSelection::resolve(const ddb_2_2::database& db, const dd_overtime_query& query)
{
    SampleSelection selection;
    selection.m_samples = findSamples(db, query);
    if (!selection.m_samples)
        return std::nullopt;
    const SampleTableData& samples = *selection.m_samples;
    const auto& sampleRows = samples.rows().rows();
    const std::size_t maxRows = sampleRows.empty() ? 0 : static_cast<std::size_t>(sampleRows.back()) + 1;

    selection.m_rowTable = query.get_restrictions().front().table.str();
    const std::size_t rowCount = std::max(tableSize(db, selection.m_rowTable, maxRows), maxRows);
    const std::size_t instanceCount = tableSize(db, samples.attributeTable(), 0);

    for (const auto& r : query.get_restrictions()) {
        const std::wstring head = headOf(r.attribute_path.str());
        const bool restrictsPath = r.attribute_path.str().find(L'.') != std::wstring::npos;
        if (!restrictsPath && !r.has_value)
            continue;
        bool met = false;
        if (head == samples.attributeTable())
            met = restrictByPath(db, r, instanceCount, selection.m_instanceMask);
        else if (head == selection.m_rowTable)
            met = restrictByPath(db, r, rowCount, selection.m_rowMask);
        else
            met = head == samples.name() && !r.has_value;
        // A restriction on data the samples cannot reach lets nothing through.
        selection.m_passesNothing = selection.m_passesNothing || !met;
    }

    const dd_filter_eval filters(db, query.get_filters());
    if (filters.has_filters()) {
        restrictByFilter(*filters.get_reduced(selection.m_rowTable), rowCount, selection.m_rowMask);
        restrictByFilter(*filters.get_reduced(samples.attributeTable()), instanceCount, selection.m_instanceMask);
        if (filters.has_time_filter()) {
            selection.m_timeRestricted = true;
            selection.m_timeRanges = filters.get_time_ranges();
        }
    }
    return selection;
}

}  // namespace dd_sarvik_2_2
