#pragma once
// One progress run over the two steps of opening a result, the store's read and the build of
// the engine's tables: the percentage runs once from 0 to 100, each step taking the share of it
// that its time takes. A cancel seen by either step ends the open.

#include <cstddef>

namespace dd_sarvik_2_2 {

class dd_progress_impl;

class OpenProgress {
public:
    /// `progress` may be null: nothing is reported and nothing cancels.
    explicit OpenProgress(dd_progress_impl* progress) : m_progress(progress) {}

    /// The read's and the build's reports of items done of their total; false once cancelled.
    bool read(std::size_t done, std::size_t total);
    bool built(std::size_t done, std::size_t total);
    /// Ends the run, however the open ended.
    void finish();

private:
    // The run's total is known once the read has counted what it reads; a result with nothing
    // to read starts it with the build's first report.
    void startOnce(std::size_t readTotal);
    void advanceTo(double steps);
    bool going() const;

    dd_progress_impl* m_progress;
    bool m_started = false;
    double m_readSteps = 0.0;
    double m_buildSteps = 0.0;
    double m_reported = 0.0;
};

}  // namespace dd_sarvik_2_2
