#include "layers/ParallelRuns.h"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace velmora_1_0 {

namespace {

void acquire([[maybe_unused]] void* handOff)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(handOff);
#endif
}

void release([[maybe_unused]] void* handOff)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(handOff);
#endif
}

} // namespace

void ParallelRuns::forEach(size_t count, const std::function<void(size_t begin, size_t end)>& body)
{
    char handOff = 0; // only its address matters: the sanitizer's token for this loop
    release(&handOff);
    tbb::this_task_arena::isolate([&] {
        tbb::parallel_for(tbb::blocked_range<size_t>(0, count, 1), [&](const tbb::blocked_range<size_t>& range) {
            acquire(&handOff);
            body(range.begin(), range.end());
            release(&handOff);
        });
    });
    acquire(&handOff);
}

} // namespace velmora_1_0
