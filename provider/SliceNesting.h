#pragma once
// Places the slices of one row in nesting lanes: sorted by start, the longer first at equal
// starts, each slice goes one lane below the innermost earlier slice still open at its start,
// which becomes its parent. A slice that outlives its parent stays in its lane; a later slice
// starting after the parent's end is placed against what is still open then.
#include <VelmoraExport.h>
#include "provider/SarvikProvider.h"

#include <vector>

namespace velmora_1_0 {

class VELMORA_API SliceNesting {
public:
    // Sorts `slices` and sets depth, parent and self time of each; returns the number of lanes needed
    // (0 for no slices).
    static int assign(std::vector<SarvikProvider::Slice>& slices);
};

} // namespace velmora_1_0
