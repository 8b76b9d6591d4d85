#pragma once
// The pixels a memory DC paints for a straight sloped line (butt ends, no anti-aliasing), learnt
// once per run, rise and line width by stroking it on a scratch bitmap and reading it back. A
// stroke covers the same pixels wherever it is moved by whole pixels, so one drawing serves every
// place: an over-time row can then fill its slopes as boxes together with everything else,
// instead of stroking them one by one, and still paint exactly the pixels of single strokes.
// Owned by OverTimeLayer (the cache lives as long as the layer); UI thread only.
#include <VelmoraExport.h>

#include <map>
#include <tuple>
#include <vector>

namespace velmora_1_0 {

class VELMORA_API OverTimeSlopeStencils {
public:
    // A vertical run of painted pixels, relative to the line's start point.
    struct Run {
        int column;
        int top;
        int bottom;
    };

    // The runs of the line from (0, 0) to (run, rise) drawn `lineWidth` wide, column by column.
    const std::vector<Run>& runs(int run, int rise, int lineWidth);

private:
    static std::vector<Run> learn(int run, int rise, int lineWidth);

    std::map<std::tuple<int, int, int>, std::vector<Run>> m_learnt; // by run, rise, line width
};

} // namespace velmora_1_0
