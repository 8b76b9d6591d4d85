#pragma once
// The last step of a program that ran providers, after wxEntryCleanup. A provider's detached
// worker may still be on its final steps inside the toolkit (its own bookkeeping, after our object
// is gone), and nothing can join it: the process's static destructors must not run under it, so
// the program ends without them, its output flushed (and, in a leak-checked build, its leaks
// reported, which a normal exit would have done).
#include <chart_export.h>

namespace tarquel_1_0 {

class TARQUEL_API ProgramEnd {
public:
    [[noreturn]] static void now(int exitCode);
};

} // namespace tarquel_1_0
