#pragma once
// Field-by-field equality of result records, so tests can compare whole results.

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <tuple>

namespace dd_sarvik_2_2 {
namespace store {

inline bool operator==(const AttributeColumn& a, const AttributeColumn& b)
{
    return std::tie(a.name, a.referencedTable) == std::tie(b.name, b.referencedTable);
}
inline bool operator==(const TextColumnRecord& a, const TextColumnRecord& b)
{
    return std::tie(a.utf8, a.ends) == std::tie(b.utf8, b.ends);
}
inline bool operator==(const AttributeTableRecord& a, const AttributeTableRecord& b)
{
    return std::tie(a.name, a.columns, a.instances, a.texts) == std::tie(b.name, b.columns, b.instances, b.texts);
}
inline bool operator==(const LifetimeRecord& a, const LifetimeRecord& b)
{
    return std::tie(a.table, a.index, a.start, a.end) == std::tie(b.table, b.index, b.start, b.end);
}
inline bool operator==(const SampleRecord& a, const SampleRecord& b)
{
    return std::tie(a.row, a.start, a.end, a.count, a.instanceIndex)
        == std::tie(b.row, b.start, b.end, b.count, b.instanceIndex);
}
inline bool operator==(const SampleTableRecord& a, const SampleTableRecord& b)
{
    return std::tie(a.name, a.attributeTable, a.samples)
        == std::tie(b.name, b.attributeTable, b.samples);
}
inline bool operator==(const BandObjectRecord& a, const BandObjectRecord& b)
{
    return std::tie(a.row, a.start, a.end, a.value, a.instanceIndex, a.sourceRow)
        == std::tie(b.row, b.start, b.end, b.value, b.instanceIndex, b.sourceRow);
}
inline bool operator==(const BandTableRecord& a, const BandTableRecord& b)
{
    return std::tie(a.name, a.kind, a.attributeTable, a.keyName, a.keyValue, a.objects)
        == std::tie(b.name, b.kind, b.attributeTable, b.keyName, b.keyValue, b.objects);
}
inline bool operator==(const TimedValueRecord& a, const TimedValueRecord& b)
{
    return std::tie(a.instanceIndex, a.tick, a.value) == std::tie(b.instanceIndex, b.tick, b.value);
}
inline bool operator==(const TimedAttributeRecord& a, const TimedAttributeRecord& b)
{
    return std::tie(a.table, a.attribute, a.values) == std::tie(b.table, b.attribute, b.values);
}
inline bool operator==(const ResultRecords& a, const ResultRecords& b)
{
    return std::tie(a.name, a.timeOrigin, a.tickFrequency, a.duration, a.attributeTables,
                    a.lifetimes, a.sampleTables, a.bandTables, a.timedAttributes)
        == std::tie(b.name, b.timeOrigin, b.tickFrequency, b.duration, b.attributeTables,
                    b.lifetimes, b.sampleTables, b.bandTables, b.timedAttributes);
}

}  // namespace store
}  // namespace dd_sarvik_2_2
