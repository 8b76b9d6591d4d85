#include <dd_sarvik_2_2/dd_parallel_runs.h>

#if defined(__SANITIZE_THREAD__)
#include <algorithm>
#include <thread>
#include <vector>
#else
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>
#endif

namespace dd_sarvik_2_2 {

#if defined(__SANITIZE_THREAD__)

void dd_parallel_runs::for_each(std::size_t count, const std::function<void(std::size_t, std::size_t)>& body)
{
    // At least two pieces side by side, so that a race between pieces shows on any machine.
    const std::size_t pieces = std::min<std::size_t>(count, std::max(2u, std::thread::hardware_concurrency()));
    if (pieces <= 1) {
        if (count > 0)
            body(0, count);
        return;
    }
    std::vector<std::thread> helpers;
    const auto bounds = [&](std::size_t piece) { return count * piece / pieces; };
    for (std::size_t piece = 1; piece < pieces; ++piece)
        helpers.emplace_back([&, piece] { body(bounds(piece), bounds(piece + 1)); });
    body(0, bounds(1));
    for (std::thread& helper : helpers)
        helper.join();
}

#else

void dd_parallel_runs::for_each(std::size_t count, const std::function<void(std::size_t, std::size_t)>& body)
{
    tbb::this_task_arena::isolate([&] {
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, 1),
                          [&](const tbb::blocked_range<std::size_t>& range) { body(range.begin(), range.end()); });
    });
}

#endif

}  // namespace dd_sarvik_2_2
