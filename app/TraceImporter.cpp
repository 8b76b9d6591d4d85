#include "TraceImporter.h"

#include "StagedDirectory.h"
#include "TraceJsonReader.h"
#include "TraceRecordBuilder.h"

#include "store/ResultRecords.h"

#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <algorithm>
#include <iostream>

namespace velmora_viewer {

namespace fs = std::filesystem;

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
    TraceRecordBuilder builder;
    const auto progress = [this](std::uint64_t done, std::uint64_t size) {
        return !m_progress || m_progress(static_cast<int>(done * 100 / std::max<std::uint64_t>(size, 1)));
    };
    const auto sink = [&builder](const TraceEvent& event, std::string& failure) { return builder.add(event, failure); };
    dd_sarvik_2_2::store::ResultRecords records;
    if (!TraceJsonReader().read(trace, sink, progress, error))
        return false;
    if (!builder.finish(trace.filename().string(), records, error)) {
        error = trace.string() + ": " + error;
        return false;
    }
    m_notes = builder.notes();
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

} // namespace velmora_viewer
