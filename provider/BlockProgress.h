#pragma once
// The engine's progress object for one block of rows of a read that takes its rows a block at a
// time: each block moves the progress of the whole read by exactly its rows, however many steps
// the engine counts for it (a derived query fills one answer per reference), and cancellation
// goes to the whole read; each block's own start and finish are not the read's, so the
// percentage runs once from 0 to 100.
#include <dd_sarvik_2_2/dd_progress_impl.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace velmora_1_0 {

class BlockProgress : public dd_sarvik_2_2::dd_progress_impl {
public:
    // `whole` may be null: the blocks then report nothing and are never cancelled through it.
    BlockProgress(dd_sarvik_2_2::dd_progress_impl* whole, int rows) : m_whole(whole), m_rows(rows) {}

    void cancel() override
    {
        if (m_whole)
            m_whole->cancel();
    }
    bool is_canceled() const override { return m_whole && m_whole->is_canceled(); }

    // Reports the rest of the block's rows once they are all read, also when the engine had
    // nothing to count (an answer it already held).
    void complete() { advanceTo(m_rows); }

protected:
    // Serialized by the base class; the engine reports from parallel workers.
    void onProgress(double) override
    {
        const double total = get_total_steps();
        if (total > 0)
            advanceTo(std::floor(m_rows * std::min(1.0, get_steps_done() / total)));
    }

private:
    // Whole rows only, so the blocks of a read add up to its row count exactly.
    void advanceTo(double rows)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_whole || rows <= m_reported)
            return;
        m_whole->progressed(rows - m_reported);
        m_reported = rows;
    }

    dd_sarvik_2_2::dd_progress_impl* m_whole;
    const double m_rows;
    std::mutex m_lock;   // m_reported: the engine's workers report while the reader completes
    double m_reported = 0.0;
};

} // namespace velmora_1_0
