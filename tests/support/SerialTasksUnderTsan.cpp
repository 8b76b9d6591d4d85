// Linked into the test programs that run parallel engine loops. The task library is not built
// with ThreadSanitizer, so the hand-off of work to its own worker threads is invisible to the
// sanitizer and every parallel loop would be reported. Under the sanitizer the tests run engine
// loops on the calling thread; the races they make on purpose (a cancel from another thread, a
// table replaced while read, the UI thread against a provider's worker) stay in view.
#if defined(__SANITIZE_THREAD__)
#include <gtest/gtest.h>

#include <tbb/global_control.h>

#include <memory>

namespace {

class SerialTasks : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_control = std::make_unique<tbb::global_control>(tbb::global_control::max_allowed_parallelism, 1);
    }
    void TearDown() override { m_control.reset(); }

private:
    std::unique_ptr<tbb::global_control> m_control;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new SerialTasks); // gtest owns it

} // namespace
#endif
