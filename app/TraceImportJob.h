#pragma once
// Imports a trace file into the cache (TraceCache) on a worker thread, so the window that asked
// stays responsive. Progress and the outcome are queued to `owner` and run on its (the
// user-interface) thread. Destroying the job cancels the import, waits for the worker to stop,
// and guarantees that neither callback runs afterwards.
//
//   m_import = std::make_unique<TraceImportJob>(*this, file, onProgress, onDone);
#include "BackgroundJob.h"

#include <filesystem>
#include <functional>
#include <string>

namespace velmora_viewer {

class TraceImportJob {
public:
    using Progress = std::function<void(int percent)>;
    // The result directory, or an empty path and the error.
    using Done = std::function<void(const std::filesystem::path& result, const std::string& error)>;

    TraceImportJob(wxEvtHandler& owner, std::filesystem::path trace, Progress progress, Done done);

private:
    struct Imported {
        std::filesystem::path result;
        std::string error;
    };
    BackgroundJob<Imported> m_job;
};

} // namespace velmora_viewer
