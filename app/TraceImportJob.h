#pragma once
// Imports a trace file into the cache (TraceCache) on a worker thread, so the window that asked
// stays responsive. Progress and the outcome are queued to `owner` and run on its (the
// user-interface) thread. Destroying the job cancels the import, waits for the worker to stop,
// and guarantees that neither callback runs afterwards.
//
//   m_import = std::make_unique<TraceImportJob>(*this, file, onProgress, onDone);
#include <wx/event.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace velmora_viewer {

class TraceImportJob {
public:
    using Progress = std::function<void(int percent)>;
    // The result directory, or an empty path and the error.
    using Done = std::function<void(const std::filesystem::path& result, const std::string& error)>;

    TraceImportJob(wxEvtHandler& owner, std::filesystem::path trace, Progress progress, Done done);
    ~TraceImportJob();
    TraceImportJob(const TraceImportJob&) = delete;
    TraceImportJob& operator=(const TraceImportJob&) = delete;

private:
    // Cleared by the destructor; the worker stops at its next progress report, and queued calls
    // (which run on the owner's thread, as the destructor does) see it and do nothing.
    std::shared_ptr<std::atomic<bool>> m_live;
    std::thread m_worker;
};

} // namespace velmora_viewer
