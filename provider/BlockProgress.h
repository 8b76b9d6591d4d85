#pragma once
// The engine's progress object for one block of rows of a read that takes its rows a block at a
// time: steps and cancellation go to the progress of the whole read, while each block's own
// start and finish are not the read's, so the percentage runs once from 0 to 100.
#include <dd_sarvik_2_2/dd_progress_impl.h>

namespace velmora_1_0 {

class BlockProgress : public dd_sarvik_2_2::dd_progress_impl {
public:
    // `whole` may be null: the blocks then report nothing and are never cancelled through it.
    explicit BlockProgress(dd_sarvik_2_2::dd_progress_impl* whole) : m_whole(whole) {}

    void start(double) override {}
    void finish() override {}
    void progressed(double steps) override
    {
        if (m_whole)
            m_whole->progressed(steps);
    }
    void cancel() override
    {
        if (m_whole)
            m_whole->cancel();
    }
    bool is_canceled() const override { return m_whole && m_whole->is_canceled(); }

private:
    dd_sarvik_2_2::dd_progress_impl* m_whole;
};

} // namespace velmora_1_0
