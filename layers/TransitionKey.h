#pragma once
// The decimation key of a transition line: two pixel columns and two display rows packed as four
// 16-bit fields (x1 in bits 0-15, x2 in 16-31, source row in 32-47, destination row in 48-63).
// Columns are clamped to +-32000 first so lines far outside the view still get distinct, stable
// keys without wrapping; the drawn line keeps its unclamped ends.
#include <VelmoraExport.h>

namespace velmora_1_0 {

class VELMORA_API TransitionKey {
public:
    static constexpr int kPixelLimit = 32000;

    static unsigned long long make(int x1, int x2, int fromDisplayRow, int toDisplayRow);
};

} // namespace velmora_1_0
