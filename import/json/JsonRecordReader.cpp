#include "json/JsonRecordReader.h"

#include "BatchChannel.h"
#include "json/BatchingEventSink.h"
#include "json/TraceJsonReader.h"
#include "json/TraceRecordBuilder.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <algorithm>
#include <thread>

namespace velmora_import {

namespace {

// Batches in flight between the reading and the building thread: one filling, one being built,
// the rest waiting when one side runs ahead.
constexpr std::size_t BATCHES = 8;

} // namespace

bool JsonRecordReader::read(const std::filesystem::path& file, const Progress& progress,
                            dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
                            std::string& error)
{
    // Parsing the text and building the records take about as long as each other: a thread of
    // its own parses while this one builds, batch by batch, in the file's order.
    BatchChannel<TraceEventBatch> channel(BATCHES);
    std::vector<std::string> readerNotes;
    bool read = false;
    std::thread reader([&] {
        BatchingEventSink sink(channel);
        const auto share = [&](std::uint64_t done, std::uint64_t size) {
            return !progress ||
                   progress(static_cast<int>(std::min<std::uint64_t>(done * 100 / std::max<std::uint64_t>(size, 1), 99)));
        };
        read = TraceJsonReader().read(file, sink, share, readerNotes, error);
        sink.finish();
    });
    TraceRecordBuilder builder;
    while (std::unique_ptr<TraceEventBatch> batch = channel.receive()) {
        batch->deliverTo(builder);
        channel.recycle(std::move(batch));
    }
    reader.join();
    if (!read)
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
