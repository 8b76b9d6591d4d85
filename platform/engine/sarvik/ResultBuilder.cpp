#include "sarvik/ResultBuilder.h"

#include "sarvik/AttributeTableData.h"
#include "sarvik/BuildSteps.h"
#include "sarvik/LifetimeTableData.h"
#include "sarvik/SampleTableData.h"
#include "sarvik/TimedAttributeData.h"

#include <dd_sarvik_2_2/dd_band_data.h>
#include <dd_sarvik_2_2/dd_band_table.h>
#include <dd_sarvik_2_2/filter/dd_filter_store.h>

#include <algorithm>

namespace dd_sarvik_2_2 {

namespace {
dd_band_kind kindOf(store::BandTableKind kind)
{
    switch (kind) {
    case store::BandTableKind::singleBand: return dd_band_kind::single_band;
    case store::BandTableKind::singleMultiBand: return dd_band_kind::single_multi_band;
    case store::BandTableKind::globalInstants: return dd_band_kind::global_instants;
    case store::BandTableKind::globalDurations: return dd_band_kind::global_durations;
    }
    return dd_band_kind::single_band;
}

std::shared_ptr<dd_band_data> bandData(store::BandTableRecord& table)
{
    return std::make_shared<dd_band_data>(kindOf(table.kind), table.attributeTable, table.keyName,
                                          table.keyValue, std::move(table.objects));
}

// Null when the steps were stopped part-way.
std::shared_ptr<LifetimeTableData> lifetimeData(const store::ResultRecords& records, BuildSteps& steps)
{
    std::vector<dd_band_obj> objects;
    objects.reserve(records.lifetimes.size());
    for (const store::LifetimeRecord& l : records.lifetimes) {
        objects.push_back({l.table, ddb_2_2::index(l.index), l.start, l.end});
        if (objects.size() % BuildSteps::pollItems == 0 && !steps.advance(BuildSteps::pollItems))
            return nullptr;
    }
    if (!steps.advance(objects.size() % BuildSteps::pollItems))
        return nullptr;
    return std::make_shared<LifetimeTableData>(std::move(objects), records.timeOrigin,
                                               records.timeOrigin + records.duration);
}

std::size_t itemCount(const store::ResultRecords& records, const std::vector<SampleColumns>& samples)
{
    std::size_t items = records.lifetimes.size();
    for (const SampleColumns& table : samples)
        items += table.size();
    for (const store::BandTableRecord& table : records.bandTables)
        items += table.objects.size();
    for (const store::TimedAttributeRecord& series : records.timedAttributes)
        items += series.values.size();
    return items;
}
}  // namespace

std::unique_ptr<Result> ResultBuilder::build(store::ResultRecords records, const ddb_2_2::string& directory)
{
    std::vector<SampleColumns> samples(records.sampleTables.size());
    for (std::size_t t = 0; t < samples.size(); ++t) {
        std::vector<store::SampleRecord>& table = records.sampleTables[t].samples;
        samples[t].reserve(table.size());
        for (const store::SampleRecord& sample : table)
            samples[t].append(sample);
        table = {};   // released table by table, so the samples are held twice for one table at most
    }
    return build(std::move(records), std::move(samples), directory);
}

// Each table is built whole between two polls: a table of millions of band objects is one
// pass over them (checking their order and finding each row's range), about 4 ms per million.
std::unique_ptr<Result> ResultBuilder::build(store::ResultRecords records, std::vector<SampleColumns> samples,
                                             const ddb_2_2::string& directory, const Progress& progress)
{
    samples.resize(std::max(samples.size(), records.sampleTables.size()));
    BuildSteps steps(progress, itemCount(records, samples));
    auto db = std::make_unique<ddb_2_2::pageable_database>(directory);
    auto lifetimes = lifetimeData(records, steps);
    if (!lifetimes)
        return nullptr;
    db->add_table(dd_band_table::table_name, std::move(lifetimes));
    for (store::AttributeTableRecord& table : records.attributeTables) {
        std::wstring name = table.name;
        db->add_table(name, std::make_shared<AttributeTableData>(std::move(table)));
    }
    for (std::size_t t = 0; t < records.sampleTables.size(); ++t) {
        store::SampleTableRecord& table = records.sampleTables[t];
        samples[t].finish();
        std::wstring name = table.name;
        const std::size_t count = samples[t].size();
        db->add_table(name, std::make_shared<SampleTableData>(std::move(table.name), std::move(table.attributeTable),
                                                              std::move(samples[t])));
        if (!steps.advance(count))
            return nullptr;
    }
    for (store::BandTableRecord& table : records.bandTables) {
        const std::size_t count = table.objects.size();
        auto band = bandData(table);
        band->set_namesake_attributes(AttributeTableData::find(*db, table.name));
        db->add_table(table.name, std::move(band));
        if (!steps.advance(count))
            return nullptr;
    }
    for (const store::TimedAttributeRecord& series : records.timedAttributes) {
        db->add_table(series.table + L"." + series.attribute, std::make_shared<TimedAttributeData>(series));
        if (!steps.advance(series.values.size()))
            return nullptr;
    }
    dd_filter_store::attach(*db);
    return std::make_unique<Result>(std::move(db), records.name, records.timeOrigin, records.tickFrequency,
                                    records.duration);
}

}  // namespace dd_sarvik_2_2
