#include "json/JsonRecordReader.h"

#include "json/TraceJsonReader.h"
#include "json/TraceRecordBuilder.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <algorithm>

namespace velmora_import {

bool JsonRecordReader::read(const std::filesystem::path& file, const Progress& progress,
                            dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
                            std::string& error)
{
    TraceRecordBuilder builder;
    bool forecast = false;
    const auto share = [&](std::uint64_t done, std::uint64_t size) {
        if (!forecast) {
            builder.reserve(CapacityForecast(done, size));
            forecast = true;
        }
        return !progress || progress(static_cast<int>(std::min<std::uint64_t>(done * 100 / std::max<std::uint64_t>(size, 1), 99)));
    };
    std::vector<std::string> readerNotes;
    if (!TraceJsonReader().read(file, builder, share, readerNotes, error))
        return false;
    // Building the records is the last stretch of the import: progress may still stop it.
    const auto canceled = [&progress] { return progress && !progress(99); };
    if (!builder.finish(file.filename().string(), canceled, records, error)) {
        error = file.string() + ": " + error;
        return false;
    }
    notes = readerNotes;
    const std::vector<std::string> built = builder.notes();
    notes.insert(notes.end(), built.begin(), built.end());
    return true;
}

} // namespace velmora_import
