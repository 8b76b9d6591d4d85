#pragma once
// Opens a result (ViewerSession::open: the viewpoint, the engine's load of the result, the query
// library) on a worker thread, so the window that asked stays responsive while a large result
// loads. Progress and the outcome are queued to `owner` and run on its (the user-interface)
// thread. Destroying the job cancels the load, waits for the worker to stop (the engine polls
// for it between steps) and guarantees that neither callback runs afterwards.
//
//   m_open = std::make_unique<ResultOpenJob>(*this, directory, "default", onProgress, onDone);
#include "BackgroundJob.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace velmora_viewer {

class ViewerSession;

class ResultOpenJob {
public:
    using Progress = std::function<void(int percent)>;
    // The opened session, or null and the error.
    using Done = std::function<void(std::unique_ptr<ViewerSession> session, const std::string& error)>;

    ResultOpenJob(wxEvtHandler& owner, std::filesystem::path result, std::string viewpoint, Progress progress,
                  Done done);

private:
    struct Opened {
        std::unique_ptr<ViewerSession> session;
        std::string error;
    };
    BackgroundJob<Opened> m_job;
};

} // namespace velmora_viewer
