#pragma once
// Progress and cancellation of one long engine operation.
//
// The caller creates a progress object (usually a subclass that overrides the hooks), hands it to
// an engine operation and may call cancel() from any thread at any time. The engine calls start()
// once with the number of steps it expects, progressed() as steps complete, finish() when it
// stops (also after a cancellation), and polls is_canceled() between steps; a cancelled
// operation returns early and reports it. Hook calls are serialized by the object, so a hook
// never runs on two threads at once even when the engine reports from parallel workers.

#include <engine_export.h>

#include <atomic>
#include <mutex>
#include <string>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_progress_impl {
public:
    dd_progress_impl() = default;
    dd_progress_impl(const dd_progress_impl&) = delete;
    dd_progress_impl& operator=(const dd_progress_impl&) = delete;

    virtual void start(double totalSteps);
    virtual void progressed(double steps);
    virtual void message(const std::wstring& text);
    virtual void finish();
    virtual void cancel();
    virtual bool is_canceled() const;
    virtual double get_total_steps() const;
    virtual double get_steps_done() const;

    virtual ~dd_progress_impl();

protected:
    virtual void onStart(double totalSteps);
    virtual void onMessage(const std::wstring& text);
    virtual void onProgress(double steps);
    virtual void onFinish();

private:
    std::mutex m_hookLock;                  // serializes the hooks and the step counters
    std::atomic<bool> m_canceled{false};    // written by any thread, polled by the engine
    std::atomic<double> m_totalSteps{0.0};
    std::atomic<double> m_stepsDone{0.0};
};

/// True when `progress` is set and was cancelled; engine loops poll this between steps.
inline bool is_canceled(const dd_progress_impl* progress)
{
    return progress != nullptr && progress->is_canceled();
}

}  // namespace dd_sarvik_2_2
