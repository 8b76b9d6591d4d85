#pragma once
// Chooses which event markers a marker layer draws: on every row in view, the first marker (in
// the order of the list) of each distinct pixel span, among the markers that reach into the view
// widened by the ruler's marker margin. Thousands of markers on the same pixels thus cost one
// drawing. The chosen spans are kept per data row (the layer's cache); markers are not drawn here.
// Rows are chosen side by side on the task pool: each row's markers, spans and map are its own.
//
// Called by EventMarkerLayer::renderAll whenever its cached choice was dropped.
#include "provider/SarvikProvider.h"
#include <VelmoraExport.h>

#include <map>
#include <vector>

namespace tarquel_1_0 {
class GraphLayerParent;
class Ruler;
}

namespace velmora_1_0 {

class SpanKeySet;

class VELMORA_API MarkerDecimator {
public:
    using RowKeys = std::vector<std::map<unsigned int, int>>;

    MarkerDecimator(const tarquel_1_0::Ruler& ruler, tarquel_1_0::GraphLayerParent& rows);

    // x2 in the upper half, the low 16 bits of x1 in the lower.
    static unsigned int spanKey(int x1, int x2);

    // `markers` sorted by row. Gives `rowKeys` one map per data row (none when the area has no
    // rows) and lists in `chosen` the indices of the chosen markers. Every marker's rectangle
    // loses its width: only the chosen ones may be hit once they are drawn again. A global
    // marker (row -1) counts as row 0.
    void choose(std::vector<SarvikProvider::EventMarker>& markers, RowKeys& rowKeys, std::vector<int>& chosen) const;

private:
    // The markers [begin, end) of one data row (global markers join row 0) and what was chosen
    // among them.
    struct RowRun {
        size_t begin = 0;
        size_t end = 0;
        int row = 0;
        bool shown = false;
        std::vector<int> chosen;
    };
    struct TimeWindow {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };

    // Asks the rows (not safe to share between threads) which runs are in view.
    std::vector<RowRun> splitByRow(const std::vector<SarvikProvider::EventMarker>& markers, int first, int last) const;
    TimeWindow timeWindow() const;
    // Touches only the run's markers and the run's own row map: runs may be chosen at once.
    // `seen` is empty on entry.
    void chooseInRow(std::vector<SarvikProvider::EventMarker>& markers, RowRun& run, const TimeWindow& window,
                     SpanKeySet& seen, RowKeys& rowKeys) const;

    const tarquel_1_0::Ruler& m_ruler;
    tarquel_1_0::GraphLayerParent& m_rows;
};

} // namespace velmora_1_0
