#include "json/JsonRecordReader.h"

#include "json/TraceEvent.h"
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
    const auto share = [&progress](std::uint64_t done, std::uint64_t size) {
        return !progress || progress(static_cast<int>(done * 100 / std::max<std::uint64_t>(size, 1)));
    };
    const auto sink = [&builder](const TraceEvent& event, std::string& failure) { return builder.add(event, failure); };
    if (!TraceJsonReader().read(file, sink, share, error))
        return false;
    if (!builder.finish(file.filename().string(), records, error)) {
        error = file.string() + ": " + error;
        return false;
    }
    notes = builder.notes();
    return true;
}

} // namespace velmora_import
