#pragma once
// Runs one piece of work on a worker thread so the window never waits for it (a slice search,
// range statistics, a trace import, opening a result); the result is queued to `owner` and
// handed over on its (the user-interface) thread, and so is the progress of work that reports
// it. Destroying the job cancels the work (it polls the flag it is given, or sees its progress
// report refused), waits for the worker and guarantees that no callback runs afterwards.
//
//   m_job = std::make_unique<BackgroundJob<Matches>>(*this, [rows](const std::atomic<bool>& canceled) {
//       return find(rows, canceled); }, [this](Matches found) { show(found); });
#include <wx/event.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace velmora_viewer {

template <class Result>
class BackgroundJob {
public:
    using Work = std::function<Result(const std::atomic<bool>& canceled)>;
    using Done = std::function<void(Result result)>;
    // The percent done, on the owner's thread.
    using Progress = std::function<void(int percent)>;
    // What reporting work calls on its thread with its percent done; false once cancelled.
    using Report = std::function<bool(int percent)>;
    using ReportingWork = std::function<Result(const std::atomic<bool>& canceled, const Report& report)>;

    BackgroundJob(wxEvtHandler& owner, Work work, Done done)
        : BackgroundJob(owner,
                        ReportingWork([work = std::move(work)](const std::atomic<bool>& canceled, const Report&) {
                            return work(canceled);
                        }),
                        Progress(), std::move(done))
    {
    }

    BackgroundJob(wxEvtHandler& owner, ReportingWork work, Progress progress, Done done)
        : m_canceled(std::make_shared<std::atomic<bool>>(false))
    {
        m_worker = std::thread([&owner, work = std::move(work), progress = std::move(progress),
                                done = std::move(done), canceled = m_canceled] {
            int reported = -1;
            const Report report = [&owner, &progress, &canceled, &reported](int percent) {
                if (*canceled)
                    return false;
                if (progress && percent != reported) { // one queued call per step seen
                    reported = percent;
                    owner.CallAfter([canceled, progress, percent] {
                        if (!*canceled)
                            progress(percent);
                    });
                }
                return true;
            };
            // Shared so that a result that cannot be copied still travels in a queued call.
            auto result = std::make_shared<Result>(work(*canceled, report));
            if (*canceled)
                return;
            // Runs on the owner's thread, as the destructor does: it sees a cancel made there.
            owner.CallAfter([canceled, done, result] {
                if (!*canceled)
                    done(std::move(*result));
            });
        });
    }

    ~BackgroundJob()
    {
        *m_canceled = true;
        m_worker.join();
    }

    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

private:
    std::shared_ptr<std::atomic<bool>> m_canceled;
    std::thread m_worker;
};

} // namespace velmora_viewer
