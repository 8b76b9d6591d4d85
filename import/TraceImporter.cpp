#include "TraceImporter.h"

#include "RecordReader.h"
#include "StagedDirectory.h"
#include "TraceFormat.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>
#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <ddb_2_2/string.h>

#include <iostream>

namespace velmora_import {

namespace fs = std::filesystem;

namespace {

// The notes go with the result, so every later open can show them again.
dd_sarvik_2_2::store::AttributeTableRecord notesTable(const std::vector<std::string>& notes)
{
    dd_sarvik_2_2::store::AttributeTableRecord table;
    table.name = TraceImporter::NOTES_TABLE;
    table.columns = {{TraceImporter::NOTES_COLUMN, {}}};
    for (const std::string& note : notes)
        table.instances.push_back({ddb_2_2::string::from_utf8(note).str()});
    return table;
}

} // namespace

TraceImporter::TraceImporter(Progress progress)
    : m_progress(std::move(progress))
{
}

bool TraceImporter::importTo(const fs::path& trace, const fs::path& directory, std::string& error)
{
    return StagedDirectory::publish(
        directory, [&](const fs::path& staging, std::string& failure) { return importInto(trace, staging, failure); },
        error);
}

bool TraceImporter::importInto(const fs::path& trace, const fs::path& staging, std::string& error)
{
    m_notes.clear();
    std::error_code code;
    if (!fs::is_regular_file(trace, code)) {
        error = "cannot read the trace file " + trace.string();
        return false;
    }
    const std::unique_ptr<RecordReader> reader = TraceFormat::readerFor(TraceFormat::detect(trace));
    if (!reader) {
        error = trace.string() + ": " + TraceFormat::unknownKindMessage();
        return false;
    }
    dd_sarvik_2_2::store::ResultRecords records;
    if (!reader->read(trace, m_progress, records, m_notes, error))
        return false;
    if (m_progress && !m_progress(99)) {
        error = trace.string() + ": the import was canceled";
        return false;
    }
    records.attributeTables.push_back(notesTable(m_notes));
    const auto status = dd_sarvik_2_2::store::ResultWriter().write(staging, records);
    if (!status.ok())
        error = fs::path(status.message).string();
    return status.ok();
}

TraceImporter::Progress TraceImporter::printer(const fs::path& trace)
{
    return [name = trace.filename().string(), printed = 0](int percent) mutable {
        if (percent / 10 > printed / 10) {
            printed = percent;
            std::cerr << "velmora-viewer: importing " << name << ": " << percent / 10 * 10 << "%" << std::endl;
        }
        return true;
    };
}

void TraceImporter::printNotes() const
{
    for (const std::string& note : m_notes)
        std::cerr << "velmora-viewer: " << note << '\n';
}

} // namespace velmora_import
