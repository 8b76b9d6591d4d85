#pragma once
// Chooses the boxes that show one lane of a row at pixel resolution. A slice at least a pixel
// wide is a box of its own; a run of slices each narrower than a pixel, in touching columns, is
// one box counting them all. The walk jumps from column to column by galloping search, so a lane
// costs about its columns times log(slices per column), however many slices it holds.
#include <VelmoraExport.h>
#include "provider/SarvikProvider.h"

#include <cstdint>
#include <vector>

namespace velmora_1_0 {

class VELMORA_API SliceDecimator {
public:
    // Columns: x = floor((t - start) / nsPerPixel), for columns 0 .. width-1.
    struct Mapping {
        double start = 0.0;
        double nsPerPixel = 1.0;
        int width = 0;
    };

    // A box over columns [x1, x2] (clamped to one column either side of the view). `slice` is
    // the lane entry of the only or first slice; `count` how many slices it stands for.
    struct Box {
        int x1 = 0;
        int x2 = 0;
        int slice = -1;
        int count = 0;
    };

    explicit SliceDecimator(const Mapping& mapping);

    // `lane`: indices into `slices` of one lane, by start. Appends the lane's boxes in order.
    void choose(const std::vector<SarvikProvider::Slice>& slices, const std::vector<int>& lane,
                std::vector<Box>& out) const;

    int column(std::uint64_t time) const;
    // First time of column x.
    double columnStart(int x) const;

private:
    Mapping m_map;
};

} // namespace velmora_1_0
