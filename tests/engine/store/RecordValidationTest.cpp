// Records that do not hang together are refused by the writer with a text that points at the
// offending record, and nothing is written; the reader refuses such content in a file.

#include "HandMadeRecords.h"
#include "ScratchDirectory.h"

#include "store/ResultReader.h"

#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace dd_sarvik_2_2::store;

namespace {

struct RecordDamage {
    std::function<void(ResultRecords&)> apply;
    std::wstring expected;
};

BandTableRecord& waits(ResultRecords& records)
{
    return records.bandTables[1];
}

std::vector<SampleRecord>& samples(ResultRecords& records)
{
    return records.sampleTables[0].samples;
}

// The attribute table `index` held as text columns of `texts`.
void holdAsTexts(ResultRecords& records, std::size_t index, std::vector<TextColumnRecord> texts)
{
    records.attributeTables[index].instances.clear();
    records.attributeTables[index].texts = std::move(texts);
}

TEST(RecordValidation, inconsistentRecordsAreNotWritten)
{
    const std::vector<RecordDamage> damages = {
        {[](ResultRecords& r) { r.tickFrequency = 0; }, L"the tick frequency is 0"},
        {[](ResultRecords& r) { r.attributeTables[4].name = L"function"; },
         L"two attribute tables share a name"},
        {[](ResultRecords& r) { r.sampleTables[1].name = L"function"; },
         L"two tables are named 'function'"},
        {[](ResultRecords& r) { r.bandTables[2].name = L"dd_sample"; },
         L"two tables are named 'dd_sample'"},
        {[](ResultRecords& r) { r.bandTables[2].name = L"wait_state"; },
         L"two tables are named 'wait_state'"},
        {[](ResultRecords& r) { r.attributeTables.push_back({L"function.value", {}, {}}); },
         L"two tables are named 'function.value'"},
        {[](ResultRecords& r) { r.attributeTables[1].instances[1].clear(); },
         L"instance 1 of 'callstack' does not have one value per column"},
        {[](ResultRecords& r) { r.attributeTables[2].instances[0][2] = std::int64_t(2); },
         L"column 'wait_cs' of 'dd_wait' refers to an instance that 'callstack' does not have"},
        {[](ResultRecords& r) { r.attributeTables[2].instances[0][1] = std::wstring(L"0"); },
         L"column 'signal_cs' of 'dd_wait' refers to an instance"},
        {[](ResultRecords& r) { r.attributeTables[2].columns[1].referencedTable = L"stack"; },
         L"column 'signal_cs' of 'dd_wait' names the attribute table 'stack', which does not exist"},
        {[](ResultRecords& r) { r.attributeTables[3].texts = {{"fg", {1, 2}}}; },
         L"'function' holds its instances both as records and as text columns"},
        {[](ResultRecords& r) { holdAsTexts(r, 3, {{"fg", {1, 2}}, {"", {0, 0}}}); },
         L"'function' does not have one text column per column"},
        {[](ResultRecords& r) { holdAsTexts(r, 0, {{"mainworker", {4, 10}}, {"1", {1}}}); },
         L"text column 'tid' of 'dd_thread' does not have one text per instance"},
        {[](ResultRecords& r) { holdAsTexts(r, 3, {{"fg", {1, 3}}}); },
         L"text column 'name' of 'function' has texts outside its bytes"},
        {[](ResultRecords& r) { holdAsTexts(r, 3, {{"fg", {2, 1}}}); },
         L"text column 'name' of 'function' has texts outside its bytes"},
        {[](ResultRecords& r) { holdAsTexts(r, 2, {{"", {0, 0, 0}}, {"", {0, 0, 0}}, {"", {0, 0, 0}}, {"", {0, 0, 0}}}); },
         L"text column 'signal_cs' of 'dd_wait' stands where instances of another table are referred to"},
        {[](ResultRecords& r) { r.lifetimes[1].index = 2; },
         L"lifetime 1 of the result refers to instance 2, but 'dd_thread' has 2"},
        {[](ResultRecords& r) { r.lifetimes[1].start = 6; },
         L"lifetime 1 of the result ends before it starts"},
        {[](ResultRecords& r) { samples(r)[2].row = 2; },
         L"sample 2 of sample table 'dd_sample' lies on row 2, but 'dd_thread' has 2 rows"},
        {[](ResultRecords& r) { samples(r)[0].row = -1; }, L"sample 0 of sample table 'dd_sample' lies on row -1"},
        {[](ResultRecords& r) { samples(r)[3].instanceIndex = 2; },
         L"sample 3 of sample table 'dd_sample' refers to instance 2, but 'function' has 2"},
        {[](ResultRecords& r) { samples(r)[0].end = 9; }, L"sample 0 of sample table 'dd_sample' ends before it starts"},
        {[](ResultRecords& r) { std::swap(samples(r)[0], samples(r)[1]); },
         L"sample 1 of sample table 'dd_sample' is out of (row, start) order"},
        {[](ResultRecords& r) { r.sampleTables[1].attributeTable = L"module"; },
         L"sample table 'no_samples' names the attribute table 'module', which does not exist"},
        {[](ResultRecords& r) { waits(r).objects[1].sourceRow = -1; },
         L"the source row of object 1 of band table 'wait_state' lies on row -1"},
        {[](ResultRecords& r) { waits(r).kind = static_cast<BandTableKind>(9); },
         L"band table 'wait_state' is of an unknown kind"},
        {[](ResultRecords& r) { std::swap(waits(r).objects[0], waits(r).objects[1]); },
         L"object 1 of band table 'wait_state' is out of order"},
        {[](ResultRecords& r) { std::swap(r.bandTables[3].objects[0], r.bandTables[3].objects[1]); },
         L"object 1 of band table 'global_task' is out of order"},
        {[](ResultRecords& r) { r.bandTables[0].objects[0].instanceIndex = -1; },
         L"object 0 of band table 'marker_instant' refers to instance -1, but 'function' has 2"},
        {[](ResultRecords& r) { std::swap(r.timedAttributes[0].values[0], r.timedAttributes[0].values[1]); },
         L"value 1 of timed attribute 'function.value' is out of (instance, tick) order"},
    };
    for (const RecordDamage& damage : damages) {
        ResultRecords records = everyKind();
        damage.apply(records);
        ScratchDirectory directory;
        const StoreStatus status = ResultWriter().write(directory.path(), records);
        EXPECT_EQ(status.code, StoreCode::writeFailed) << damage.expected;
        EXPECT_NE(status.message.find(L"the records are inconsistent: " + damage.expected),
                  std::wstring::npos)
            << status.message;
        EXPECT_TRUE(std::filesystem::is_empty(directory.path())) << damage.expected;
    }
}

TEST(RecordValidation, globalRowsAreIgnoredAndBandTablesMayShareAttributeTableNames)
{
    ResultRecords records = everyKind();
    records.bandTables[3].objects[0].row = 1234;   // rows of global objects mean nothing
    records.bandTables[3].name = L"callstack";
    ScratchDirectory directory;
    EXPECT_TRUE(ResultWriter().write(directory.path(), records).ok());
}

}  // namespace
