#pragma once
// Runs a loop over independent pieces of work side by side on the task pool, from the
// user-interface thread: the calling thread joins in and never picks up a task from elsewhere
// in the program while it waits. The pool's hand-offs are made visible to ThreadSanitizer,
// which cannot see inside the task library: what the caller wrote before is seen by every
// piece, what the pieces wrote is seen by the caller after.
//
// Used by MarkerDecimator to choose markers row by row.
#include "provider/VelmoraExport.h"

#include <cstddef>
#include <functional>

namespace velmora_1_0 {

class VELMORA_API ParallelRuns {
public:
    // Calls `body` with ranges [begin, end) that together cover [0, count) once; returns when
    // all have returned.
    static void forEach(size_t count, const std::function<void(size_t begin, size_t end)>& body);
};

} // namespace velmora_1_0
