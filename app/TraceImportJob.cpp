#include "TraceImportJob.h"

#include "TraceCache.h"

namespace velmora_viewer {

TraceImportJob::TraceImportJob(wxEvtHandler& owner, std::filesystem::path trace, Progress progress, Done done)
    : m_job(
          owner,
          [trace = std::move(trace)](const std::atomic<bool>&, const BackgroundJob<Imported>::Report& report) {
              Imported imported;
              imported.result = TraceCache::ensure(trace, imported.error, report);
              return imported;
          },
          std::move(progress), [done = std::move(done)](Imported imported) { done(imported.result, imported.error); })
{
}

} // namespace velmora_viewer
