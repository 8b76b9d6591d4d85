#include "TraceImportJob.h"

#include "TraceCache.h"

namespace velmora_viewer {

TraceImportJob::TraceImportJob(wxEvtHandler& owner, std::filesystem::path trace, Progress progress, Done done)
    : m_live(std::make_shared<std::atomic<bool>>(true))
{
    m_worker = std::thread([&owner, trace = std::move(trace), live = m_live, progress = std::move(progress),
                            done = std::move(done)] {
        const auto report = [&owner, &live, &progress](int percent) {
            if (!*live)
                return false;
            owner.CallAfter([live, progress, percent] {
                if (*live)
                    progress(percent);
            });
            return true;
        };
        std::string error;
        const std::filesystem::path result = TraceCache::ensure(trace, error, report);
        owner.CallAfter([live, done, result, error] {
            if (*live)
                done(result, error);
        });
    });
}

TraceImportJob::~TraceImportJob()
{
    *m_live = false;
    m_worker.join();
}

} // namespace velmora_viewer
