#include "ResultOpenJob.h"

#include "ViewerSession.h"

#include <dd_sarvik_2_2/dd_progress_impl.h>

namespace velmora_viewer {

namespace {

using ProgressReport = BackgroundJob<int>::Report;

// The engine's progress as a percent for the job, and the job's cancel as the engine's.
class EngineProgress : public dd_sarvik_2_2::dd_progress_impl {
public:
    EngineProgress(const std::atomic<bool>& canceled, const ProgressReport& report) : m_canceled(canceled), m_report(report) {}

    bool is_canceled() const override { return m_canceled || dd_progress_impl::is_canceled(); }

protected:
    void onStart(double) override { onProgress(0.0); }
    void onProgress(double) override
    {
        const double total = get_total_steps();
        const int percent = total > 0.0 ? static_cast<int>(100.0 * get_steps_done() / total) : 0;
        if (!m_report(percent))
            cancel();
    }

private:
    const std::atomic<bool>& m_canceled;
    const ProgressReport& m_report;
};

} // namespace

ResultOpenJob::ResultOpenJob(wxEvtHandler& owner, std::filesystem::path result, std::string viewpoint,
                             Progress progress, Done done)
    : m_job(
          owner,
          [result = std::move(result), viewpoint = std::move(viewpoint)](const std::atomic<bool>& canceled,
                                                                         const ProgressReport& report) {
              Opened opened;
              opened.session = std::make_unique<ViewerSession>();
              EngineProgress engineProgress(canceled, report);
              if (!opened.session->open(result, viewpoint, opened.error, &engineProgress))
                  opened.session.reset();
              return opened;
          },
          std::move(progress),
          [done = std::move(done)](Opened opened) { done(std::move(opened.session), opened.error); })
{
}

} // namespace velmora_viewer
