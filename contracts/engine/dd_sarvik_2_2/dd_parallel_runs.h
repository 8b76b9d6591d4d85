#pragma once
// Runs a loop over independent pieces of work side by side, for the engine's own loops and for
// callers of the engine alike. The calling thread joins in and never picks up a task from
// elsewhere in the program while it waits, so a user-interface thread may call it.
//
// In a ThreadSanitizer build the pieces run on threads of their own instead of the task pool:
// the task library is not instrumented, so its hand-offs would be invisible and every loop would
// look like a race; threads the sanitizer sees start and join keep our own races in view.

#include <engine_export.h>

#include <cstddef>
#include <functional>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_parallel_runs {
public:
    /// Calls `body` with ranges [begin, end) that together cover [0, count) once, side by side;
    /// returns when all have returned.
    static void for_each(std::size_t count, const std::function<void(std::size_t begin, std::size_t end)>& body);
};

}  // namespace dd_sarvik_2_2
