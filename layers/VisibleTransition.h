#pragma once
// One line kept by the transition layer's decimation: the transition drawn for a pixel/row key
// and how many later transitions fell on the same key (only the first four keep their index, for
// tooltips).
namespace velmora_1_0 {

struct VisibleTransition {
    static constexpr unsigned int kRecordedDuplicates = 4;

    int index = -1;                  // into the layer's transition list
    unsigned int duplicateCount = 0; // keeps counting past the recorded ones
    int duplicates[kRecordedDuplicates] = {-1, -1, -1, -1}; // valid below duplicateCount
};

} // namespace velmora_1_0
