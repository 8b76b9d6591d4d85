#pragma once
// Runs one piece of work on a worker thread so the window never waits for it (a slice search,
// range statistics); the result is queued to `owner` and handed over on its (the user-interface)
// thread. Destroying the job cancels the work (it polls the flag it is given), waits for the
// worker and guarantees that `done` does not run afterwards.
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

    BackgroundJob(wxEvtHandler& owner, Work work, Done done) : m_canceled(std::make_shared<std::atomic<bool>>(false))
    {
        m_worker = std::thread([&owner, work = std::move(work), done = std::move(done), canceled = m_canceled] {
            Result result = work(*canceled);
            if (*canceled)
                return;
            // Runs on the owner's thread, as the destructor does: it sees a cancel made there.
            owner.CallAfter([canceled, done, result = std::move(result)]() mutable {
                if (!*canceled)
                    done(std::move(result));
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
