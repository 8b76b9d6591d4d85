#include "store/RecordValidator.h"

#include "store/RecordChunkCodec.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <algorithm>
#include <map>
#include <set>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

const wchar_t* const threadTable = L"dd_thread";

std::wstring quotedName(const std::wstring& name)
{
    return L"'" + name + L"'";
}

std::wstring nth(const wchar_t* what, std::size_t index, const std::wstring& owner)
{
    return what + (L" " + std::to_wstring(index)) + L" of " + owner;
}

bool inRange(std::int64_t index, std::size_t count)
{
    return index >= 0 && static_cast<std::uint64_t>(index) < count;
}

template <class Item>
bool inRowOrder(const Item& previous, const Item& item)
{
    return previous.row < item.row || (previous.row == item.row && previous.start <= item.start);
}

// Walks the records once; texts are only built for the first problem, so a sound result of
// millions of samples costs a few comparisons per item.
class Checker {
public:
    explicit Checker(const ResultRecords& records)
        : m_records(records)
    {
        for (const AttributeTableRecord& table : records.attributeTables)
            m_instanceCounts.emplace(table.name, RecordChunkCodec::instanceCount(table));
        const auto threads = m_instanceCounts.find(threadTable);
        m_rowCount = threads == m_instanceCounts.end() ? 0 : threads->second;
    }

    std::wstring run() const
    {
        if (m_records.tickFrequency == 0)
            return L"the tick frequency is 0";
        std::wstring problem = checkAttributeTables();
        if (problem.empty())
            problem = checkNames();
        if (problem.empty())
            problem = checkLifetimes();
        for (const SampleTableRecord& table : m_records.sampleTables)
            if (problem.empty())
                problem = checkSamples(table, table.samples.data(), table.samples.size(), 0, nullptr);
        for (const BandTableRecord& table : m_records.bandTables)
            if (problem.empty())
                problem = checkBandObjects(table);
        for (const TimedAttributeRecord& attribute : m_records.timedAttributes)
            if (problem.empty())
                problem = checkTimedValues(attribute);
        return problem;
    }

    std::wstring checkSamples(const SampleTableRecord& table, const SampleRecord* samples, std::size_t count,
                              std::size_t first, const SampleRecord* previous) const
    {
        const std::wstring name = L"sample table " + quotedName(table.name);
        std::size_t instances = 0;
        if (!findTable(table.attributeTable, instances))
            return missingTable(name, table.attributeTable);
        for (std::size_t i = 0; i < count; previous = &samples[i++]) {
            const SampleRecord& sample = samples[i];
            if (!inRange(sample.row, m_rowCount))
                return missingRow(nth(L"sample", first + i, name), sample.row);
            if (!inRange(sample.instanceIndex, instances))
                return missingInstance(nth(L"sample", first + i, name), table.attributeTable,
                                       sample.instanceIndex, instances);
            if (sample.end < sample.start)
                return nth(L"sample", first + i, name) + L" ends before it starts";
            if (previous && !inRowOrder(*previous, sample))
                return nth(L"sample", first + i, name) + L" is out of (row, start) order";
        }
        return {};
    }

private:
    std::wstring checkAttributeTables() const
    {
        if (m_instanceCounts.size() != m_records.attributeTables.size())
            return L"two attribute tables share a name";
        for (const AttributeTableRecord& table : m_records.attributeTables) {
            const std::wstring texts = checkTextColumns(table);
            if (!texts.empty())
                return texts;
            for (std::size_t i = 0; i < table.instances.size(); ++i) {
                if (table.instances[i].size() != table.columns.size())
                    return nth(L"instance", i, quotedName(table.name))
                        + L" does not have one value per column";
            }
            for (std::size_t column = 0; column < table.columns.size(); ++column) {
                const std::wstring& target = table.columns[column].referencedTable;
                if (target.empty())
                    continue;
                const std::wstring where =
                    L"column " + quotedName(table.columns[column].name) + L" of " + quotedName(table.name);
                std::size_t targetCount = 0;
                if (!findTable(target, targetCount))
                    return missingTable(where, target);
                for (const std::vector<StoredValue>& instance : table.instances) {
                    const StoredValue& value = instance[column];
                    const auto* index = std::get_if<std::int64_t>(&value);
                    if (!std::holds_alternative<std::monostate>(value)
                        && !(index && inRange(*index, targetCount)))
                        return where + L" refers to an instance that " + quotedName(target)
                            + L" does not have";
                }
            }
        }
        return {};
    }

    // Text columns stand for all instances: one per column, of one length, each text inside the
    // column's bytes, and none where the column holds indices of another table.
    static std::wstring checkTextColumns(const AttributeTableRecord& table)
    {
        if (table.texts.empty())
            return {};
        const std::wstring name = quotedName(table.name);
        if (!table.instances.empty())
            return name + L" holds its instances both as records and as text columns";
        if (table.texts.size() != table.columns.size())
            return name + L" does not have one text column per column";
        const std::size_t count = table.texts.front().ends.size();
        for (std::size_t column = 0; column < table.texts.size(); ++column) {
            const TextColumnRecord& texts = table.texts[column];
            const std::wstring where = L"text column " + quotedName(table.columns[column].name) + L" of " + name;
            if (!table.columns[column].referencedTable.empty())
                return where + L" stands where instances of another table are referred to";
            if (texts.ends.size() != count)
                return where + L" does not have one text per instance";
            const bool ordered = std::is_sorted(texts.ends.begin(), texts.ends.end());
            if (!ordered || (count > 0 ? texts.ends.back() : 0) != texts.utf8.size())
                return where + L" has texts outside its bytes";
        }
        return {};
    }

    // The engine finds every table by name: only a band table may share its name, and only
    // with an attribute table. Timed series are known as "<table>.<attribute>".
    std::wstring checkNames() const
    {
        std::set<std::wstring> taken;
        const auto claim = [&](const std::wstring& name, bool mayShareWithAttributes) {
            return taken.insert(name).second
                && (mayShareWithAttributes || m_instanceCounts.count(name) == 0);
        };
        std::wstring duplicate;
        for (const BandTableRecord& table : m_records.bandTables)
            if (duplicate.empty() && !claim(table.name, true))
                duplicate = table.name;
        for (const SampleTableRecord& table : m_records.sampleTables)
            if (duplicate.empty() && !claim(table.name, false))
                duplicate = table.name;
        for (const TimedAttributeRecord& attribute : m_records.timedAttributes)
            if (duplicate.empty() && !claim(attribute.table + L"." + attribute.attribute, false))
                duplicate = attribute.table + L"." + attribute.attribute;
        if (duplicate.empty())
            return {};
        return L"two tables are named " + quotedName(duplicate);
    }

    std::wstring checkLifetimes() const
    {
        for (std::size_t i = 0; i < m_records.lifetimes.size(); ++i) {
            const LifetimeRecord& lifetime = m_records.lifetimes[i];
            std::size_t count = 0;
            const std::wstring what = nth(L"lifetime", i, L"the result");
            if (!findTable(lifetime.table, count))
                return missingTable(what, lifetime.table);
            if (!inRange(lifetime.index, count))
                return missingInstance(what, lifetime.table, lifetime.index, count);
            if (lifetime.end < lifetime.start)
                return what + L" ends before it starts";
        }
        return {};
    }

    std::wstring checkBandObjects(const BandTableRecord& table) const
    {
        const std::wstring name = L"band table " + quotedName(table.name);
        if (table.kind < BandTableKind::singleBand || table.kind > BandTableKind::globalDurations)
            return name + L" is of an unknown kind";
        std::size_t count = 0;
        if (!findTable(table.attributeTable, count))
            return missingTable(name, table.attributeTable);
        const bool global = table.kind == BandTableKind::globalInstants
            || table.kind == BandTableKind::globalDurations;
        const bool sourced = table.kind == BandTableKind::singleMultiBand;
        for (std::size_t i = 0; i < table.objects.size(); ++i) {
            const BandObjectRecord& object = table.objects[i];
            if (!inRange(object.instanceIndex, count))
                return missingInstance(nth(L"object", i, name), table.attributeTable,
                                       object.instanceIndex, count);
            if (!global && !inRange(object.row, m_rowCount))
                return missingRow(nth(L"object", i, name), object.row);
            if (sourced && !inRange(object.sourceRow, m_rowCount))
                return missingRow(nth(L"the source row of object", i, name), object.sourceRow);
            if (object.end < object.start)
                return nth(L"object", i, name) + L" ends before it starts";
            const BandObjectRecord* previous = i > 0 ? &table.objects[i - 1] : nullptr;
            if (previous
                && !(global ? previous->start <= object.start : inRowOrder(*previous, object)))
                return nth(L"object", i, name) + L" is out of order";
        }
        return {};
    }

    std::wstring checkTimedValues(const TimedAttributeRecord& attribute) const
    {
        const std::wstring name =
            L"timed attribute " + quotedName(attribute.table + L"." + attribute.attribute);
        std::size_t count = 0;
        if (!findTable(attribute.table, count))
            return missingTable(name, attribute.table);
        for (std::size_t i = 0; i < attribute.values.size(); ++i) {
            const TimedValueRecord& value = attribute.values[i];
            if (!inRange(value.instanceIndex, count))
                return missingInstance(nth(L"value", i, name), attribute.table, value.instanceIndex,
                                       count);
            const TimedValueRecord* previous = i > 0 ? &attribute.values[i - 1] : nullptr;
            if (previous
                && (previous->instanceIndex > value.instanceIndex
                    || (previous->instanceIndex == value.instanceIndex
                        && previous->tick > value.tick)))
                return nth(L"value", i, name) + L" is out of (instance, tick) order";
        }
        return {};
    }

    bool findTable(const std::wstring& table, std::size_t& instanceCount) const
    {
        const auto found = m_instanceCounts.find(table);
        instanceCount = found == m_instanceCounts.end() ? 0 : found->second;
        return found != m_instanceCounts.end();
    }

    static std::wstring missingTable(const std::wstring& what, const std::wstring& table)
    {
        return what + L" names the attribute table " + quotedName(table) + L", which does not exist";
    }

    static std::wstring missingInstance(const std::wstring& what, const std::wstring& table,
                                        std::int32_t index, std::size_t count)
    {
        return what + L" refers to instance " + std::to_wstring(index) + L", but " + quotedName(table)
            + L" has " + std::to_wstring(count);
    }

    std::wstring missingRow(const std::wstring& what, std::int32_t row) const
    {
        return what + L" lies on row " + std::to_wstring(row) + L", but " + quotedName(threadTable)
            + L" has " + std::to_wstring(m_rowCount) + L" rows";
    }

    const ResultRecords& m_records;
    std::map<std::wstring, std::size_t> m_instanceCounts;
    std::size_t m_rowCount = 0;
};

}  // namespace

std::wstring RecordValidator::findProblem(const ResultRecords& records)
{
    return Checker(records).run();
}

std::wstring RecordValidator::findSampleProblem(const ResultRecords& records, const SampleTableRecord& table,
                                                const SampleRecord* samples, std::size_t count, std::size_t first,
                                                const SampleRecord* previous)
{
    return Checker(records).checkSamples(table, samples, count, first, previous);
}

}  // namespace store
}  // namespace dd_sarvik_2_2
