#include "PerfImportFixture.h"

#include "RecordReader.h"
#include "TraceFormat.h"
#include "TraceImporter.h"
#include "ScratchDirectory.h"

#include "store/ResultReader.h"

#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace velmora_import {

namespace fs = std::filesystem;
namespace store = dd_sarvik_2_2::store;

fs::path PerfImportFixture::scratch(const std::string& name)
{
    static int count = 0;
    static const fs::path directory = sharedScratchDirectory("velmora_perf");
    return directory / (std::to_string(++count) + "_" + name);
}

bool PerfImportFixture::importText(const std::string& text)
{
    const fs::path file = scratch("script.txt");
    std::ofstream(file, std::ios::binary) << text;
    const std::unique_ptr<RecordReader> reader = TraceFormat::readerFor(TraceFormat::detect(file));
    if (!reader) {
        m_error = "not detected as perf script text";
        return false;
    }
    m_notes.clear();
    store::ResultRecords records;
    if (!reader->read(file, {}, records, m_notes, m_error))
        return false;
    // The records as the store gives them back: text columns become instances.
    const fs::path result = scratch("records");
    const auto written = store::ResultWriter().write(result, records);
    if (!written.ok()) {
        m_error = fs::path(written.message).string();
        return false;
    }
    return readBack(result);
}

bool PerfImportFixture::importFile(const fs::path& file)
{
    const fs::path result = scratch("result");
    TraceImporter importer;
    if (!importer.importTo(file, result, m_error))
        return false;
    m_notes = importer.notes();
    return readBack(result);
}

bool PerfImportFixture::readBack(const fs::path& result)
{
    m_records = {};
    const auto status = store::ResultReader().read(result, m_records);
    if (!status.ok())
        m_error = fs::path(status.message).string();
    return status.ok();
}

const store::AttributeTableRecord& PerfImportFixture::attributes(const wchar_t* name) const
{
    const auto& tables = m_records.attributeTables;
    const auto found = std::find_if(tables.begin(), tables.end(), [name](const auto& t) { return t.name == name; });
    if (found == tables.end())
        throw std::runtime_error("no attribute table");
    return *found;
}

const store::BandTableRecord& PerfImportFixture::band(const wchar_t* name) const
{
    const auto& tables = m_records.bandTables;
    const auto found = std::find_if(tables.begin(), tables.end(), [name](const auto& t) { return t.name == name; });
    if (found == tables.end())
        throw std::runtime_error("no band table");
    return *found;
}

const std::vector<store::SampleRecord>& PerfImportFixture::samples() const
{
    return m_records.sampleTables.at(0).samples;
}

std::wstring PerfImportFixture::text(const wchar_t* table, std::size_t instance, std::size_t column) const
{
    const store::StoredValue& value = attributes(table).instances.at(instance).at(column);
    const auto* string = std::get_if<std::wstring>(&value);
    return string ? *string : std::wstring();
}

int PerfImportFixture::rowNamed(const std::wstring& name) const
{
    const auto& threads = attributes(L"dd_thread").instances;
    for (std::size_t row = 0; row < threads.size(); ++row)
        if (text(L"dd_thread", row) == name)
            return static_cast<int>(row);
    return -1;
}

std::vector<store::BandObjectRecord> PerfImportFixture::objectsOn(const wchar_t* table, int row, int source) const
{
    std::vector<store::BandObjectRecord> found;
    for (const store::BandObjectRecord& object : band(table).objects)
        if (object.row == row && (source == -2 || object.sourceRow == source))
            found.push_back(object);
    return found;
}

bool PerfImportFixture::hasNote(const std::string& part) const
{
    return std::any_of(m_notes.begin(), m_notes.end(),
                       [&part](const std::string& note) { return note.find(part) != std::string::npos; });
}

} // namespace velmora_import
