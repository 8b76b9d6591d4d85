#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_manipulator_manager.h>
#include <dd_sarvik_2_2/dd_overtime_derived_query.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_progress_impl.h>

#include "sarvik/AttributeSeries.h"
#include "sarvik/AttributeTableData.h"
#include "sarvik/OverTimeFill.h"
#include "sarvik/OverTimeKeys.h"
#include "sarvik/RpnEvaluator.h"

#include <algorithm>
#include <cwctype>
#include <map>

namespace dd_sarvik_2_2 {

namespace {
/// Fills every query that the bucket does not answer yet, with one progress run over all of
/// them; false when cancelled.
bool fillMissing(const std::vector<const OverTimeFill*>& fills, Result::overtime_bucket& bucket,
                 dd_progress_impl* progress)
{
    std::vector<const OverTimeFill*> missing;
    std::size_t rows = 0;
    for (const OverTimeFill* fill : fills) {
        if (!fill || fill->keys().isFilled(bucket))
            continue;
        // An expression may name one query twice; filling it twice would append its totals
        // twice under the same keys.
        const bool pending = std::any_of(missing.begin(), missing.end(), [fill](const OverTimeFill* other) {
            return other->keys() == fill->keys();
        });
        if (!pending) {
            missing.push_back(fill);
            rows += fill->rowCount();
        }
    }
    if (missing.empty())
        return !is_canceled(progress);
    if (progress)
        progress->start(static_cast<double>(rows));
    bool complete = true;
    for (const OverTimeFill* fill : missing)
        if (!(complete = fill->fill(bucket, progress)))
            break;
    if (progress)
        progress->finish();
    return complete;
}

/// The per-bucket amounts of one row: differences of consecutive running totals.
std::vector<double> rowAmounts(const Result::overtime_bucket& bucket, const dd_overtime_data::key& key,
                               std::size_t count)
{
    std::vector<double> amounts(count, 0.0);
    long double previous = 0.0;
    for (auto it = bucket.find(key); !it.at_end(); ++it) {
        if (it->get_bucket_id() >= count)
            break;
        const long double running = static_cast<long double>(it->get_value());
        amounts[it->get_bucket_id()] = static_cast<double>(running - previous);
        previous = running;
    }
    return amounts;
}

const std::map<std::wstring, int>& dataTypes()
{
    static const std::map<std::wstring, int> types = {
        {L"dd_attribute_obj", Result::attribute_data},
        {L"dd_global_band_obj", Result::global_instant_data},
        {L"dd_single_band_obj", Result::single_band_data},
        {L"dd_single_multi_band_obj", Result::single_multi_band_data},
        {L"dd_band_obj", Result::lifetime_data},
        {L"dd_aggregated_band_obj", Result::sample_data},
        {L"dd_timed_attribute_obj", Result::timed_attribute_data},
        {L"dd_global_band_obj2", Result::global_duration_data},
    };
    return types;
}
}  // namespace

Result::Result(std::unique_ptr<ddb_2_2::pageable_database> database, ddb_2_2::string name, std::uint64_t timeOrigin,
               std::uint64_t tickFrequency, std::uint64_t duration)
    : m_database(std::move(database)),
      m_name(std::move(name)),
      m_timeOrigin(timeOrigin),
      m_tickFrequency(tickFrequency),
      m_duration(duration)
{
}

Result::~Result() = default;

int Result::get_table_data_type(const ddb_2_2::string& table) const
{
    const auto it = dataTypes().find(m_database->get_table_type(table).str());
    return it == dataTypes().end() ? 0 : it->second;
}

bool Result::check_instance_table_type(const ddb_2_2::string& table, int dataType) const
{
    return dataType != 0 && get_table_data_type(table) == dataType;
}

bool Result::get_overtime_data(overtime_bucket& bucket, overtime_bucket::const_iterator& it,
                               const dd_overtime_query& query, const ddb_2_2::index& row,
                               dd_progress_impl* progress) const
{
    it = overtime_bucket::const_iterator();
    const OverTimeKeys keys(query);
    // Rows after the first only look up: preparing costs time in the number of rows.
    if (!keys.isFilled(bucket)) {
        const auto fill = OverTimeFill::prepare(*m_database, query);
        if (!fill || !fillMissing({&*fill}, bucket, progress))
            return false;
    } else if (is_canceled(progress)) {
        return false;
    }
    it = bucket.find(keys.row(row.get()));
    return true;
}

bool Result::get_overtime_derived_data(overtime_bucket& bucket, dd_overtime_derived_data::const_iterator& it,
                                       const dd_overtime_derived_query& query, const ddb_2_2::index& row,
                                       dd_progress_impl* progress) const
{
    it = dd_overtime_derived_data::const_iterator();
    if (!query.is_valid() || query.get_count() <= 0)
        return false;
    // A reference whose query no sample table answers reads zeros; one already in the bucket
    // is only looked up.
    std::vector<std::optional<OverTimeFill>> fills;
    std::vector<bool> answered;
    for (const dd_overtime_query& node : query.get_queries()) {
        const bool filled = OverTimeKeys(node).isFilled(bucket);
        fills.push_back(filled ? std::nullopt : OverTimeFill::prepare(*m_database, node));
        answered.push_back(filled || fills.back());
    }
    std::vector<const OverTimeFill*> pending;
    for (const auto& fill : fills)
        pending.push_back(fill ? &*fill : nullptr);
    if (!fillMissing(pending, bucket, progress))
        return false;

    const auto count = static_cast<std::size_t>(query.get_count());
    std::vector<std::vector<double>> references;
    const auto& nodes = query.get_queries();
    for (std::size_t i = 0; i < nodes.size(); ++i)
        references.push_back(answered[i] ? rowAmounts(bucket, OverTimeKeys(nodes[i]).row(row.get()), count)
                                         : std::vector<double>(count, 0.0));
    auto values = std::make_shared<std::vector<double>>();
    if (!RpnEvaluator::evaluate(query.get_rpn_expression(), references, count, *values))
        return false;
    it = dd_overtime_derived_data::const_iterator(std::move(values));
    return true;
}

bool Result::get_instance_value_walker(dd_attr_overtime::forward_iterator& walker,
                                       const ddb_2_2::string& instanceTable, const ddb_2_2::string& path,
                                       std::uint64_t start, std::uint64_t end, int count) const
{
    return get_instance_value_walker(walker, instanceTable, path, ddb_2_2::index(-1), start, end, count);
}

bool Result::get_instance_value_walker(dd_attr_overtime::forward_iterator& walker,
                                       const ddb_2_2::string& instanceTable, const ddb_2_2::string& path,
                                       const ddb_2_2::index& instance, std::uint64_t start, std::uint64_t end,
                                       int count) const
{
    auto values = AttributeSeries::compute(*m_database, instanceTable, path, instance.get(), start, end, count);
    walker = dd_attr_overtime::forward_iterator(values);
    return values != nullptr;
}

bool Result::get_instance_value_range(const ddb_2_2::string& instanceTable, const ddb_2_2::string& path,
                                      const ddb_2_2::index& instance, double& min, double& max) const
{
    return AttributeSeries::range(*m_database, instanceTable, path, instance.get(), min, max);
}

ddb_2_2::string Result::get_sarvik_display_name(const ddb_2_2::string& attributePath) const
{
    const std::wstring& path = attributePath.str();
    const std::size_t dot = path.find_last_of(L'.');
    std::wstring name = dot == std::wstring::npos ? path : path.substr(dot + 1);
    for (wchar_t& c : name)
        if (c == L'_')
            c = L' ';
    if (!name.empty())
        name[0] = static_cast<wchar_t>(std::towupper(name[0]));
    return name;
}

void Result::initialize_manipulator_manager(dd_manipulator_manager& manager) const
{
    manager.clear();
    manager.set_time_base(m_timeOrigin, m_tickFrequency);
    for (const ddb_2_2::string& name : m_database->get_table_names()) {
        auto table = AttributeTableData::find(*m_database, name.str());
        if (!table)
            continue;
        for (int c = 0; c < table->columnCount(); ++c) {
            const ddb_2_2::string path = name.str() + L"." + table->column(c).name;
            manager.set_display_name(path, get_sarvik_display_name(path));
        }
    }
}

}  // namespace dd_sarvik_2_2
