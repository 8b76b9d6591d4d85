#pragma once
// Chooses which event markers a marker layer draws: on every row in view, the first marker (in
// the order of the list) of each distinct pixel span, among the markers that reach into the view
// widened by the ruler's marker margin. Thousands of markers on the same pixels thus cost one
// drawing. Each choice carries what drawing and hit-testing the marker need (its columns and
// kind), so that neither reads the million-marker list again; markers are neither changed nor
// drawn here. Rows are chosen side by side on the task pool: each row's choices are its own.
//
// Called by EventMarkerLayer::renderAll whenever its cached choice was dropped.
#include "provider/SarvikProvider.h"
#include <VelmoraExport.h>

#include <vector>

namespace tarquel_1_0 {
class ColumnEdges;
class GraphLayerParent;
class Ruler;
}

namespace velmora_1_0 {

class MarkerList;
class SpanKeySet;

class VELMORA_API MarkerDecimator {
public:
    // A chosen marker: its index in the list, its columns (Ruler::xFromTime(time, true) of its
    // start and end), whether it has a duration and whether it is a global marker (row -1).
    struct Choice {
        int index = 0;
        int x1 = 0;
        int x2 = 0;
        bool duration = false;
        bool global = false;
        bool operator==(const Choice& other) const
        {
            return index == other.index && x1 == other.x1 && x2 == other.x2 && duration == other.duration &&
                   global == other.global;
        }
    };

    // The chosen markers of each data row, in list order.
    using RowChoices = std::vector<std::vector<Choice>>;

    MarkerDecimator(const tarquel_1_0::Ruler& ruler, tarquel_1_0::GraphLayerParent& rows);

    // x2 in the upper half, the low 16 bits of x1 in the lower.
    static unsigned int spanKey(int x1, int x2)
    {
        return (static_cast<unsigned int>(x2) << 16) | (static_cast<unsigned int>(x1) & 0xFFFFu);
    }

    // The longest duration among the markers of each row, by row + 1 (global markers first), as
    // choose takes it; `longest` grows to the rows of `markers` and only rises.
    static void widenLongest(const std::vector<SarvikProvider::EventMarker>& markers,
                             std::vector<std::uint64_t>& longest);

    // `longest` as widenLongest leaves it for them (a row it
    // does not reach is read without skipping). Gives `chosen` one list per data row of the area;
    // the lists keep their memory from one choice to the next. A global marker (row -1) counts as
    // row 0.
    void choose(const MarkerList& markers, const std::vector<std::uint64_t>& longest, RowChoices& chosen) const;

private:
    // The markers [begin, end) of one data row (global markers join row 0).
    struct RowRun {
        size_t begin = 0;
        size_t end = 0;
        int row = 0;
        bool shown = false;
    };
    struct TimeWindow {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };

    // Asks the rows (not safe to share between threads) which runs are in view.
    std::vector<RowRun> splitByRow(const std::vector<short>& markerRows, int first, int last) const;
    TimeWindow timeWindow() const;
    // Touches only its row's choices: runs may be chosen at once. `seen` is empty on entry.
    void chooseInRow(const MarkerList& markers, const std::vector<std::uint64_t>& longest,
                     const RowRun& run, const TimeWindow& window, const tarquel_1_0::ColumnEdges& edges,
                     SpanKeySet& seen, std::vector<Choice>& chosen) const;

    const tarquel_1_0::Ruler& m_ruler;
    tarquel_1_0::GraphLayerParent& m_rows;
};

} // namespace velmora_1_0
