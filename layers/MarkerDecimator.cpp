#include "layers/MarkerDecimator.h"

#include "layers/SpanKeySet.h"

#include <dd_sarvik_2_2/dd_parallel_runs.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>

#include <tbb/enumerable_thread_specific.h>

#include <algorithm>
#include <limits>

namespace velmora_1_0 {

namespace {

int rowOf(const SarvikProvider::EventMarker& marker)
{
    return marker.row == -1 ? 0 : marker.row;
}

} // namespace

MarkerDecimator::MarkerDecimator(const tarquel_1_0::Ruler& ruler, tarquel_1_0::GraphLayerParent& rows)
    : m_ruler(ruler), m_rows(rows)
{
}

unsigned int MarkerDecimator::spanKey(int x1, int x2)
{
    return (static_cast<unsigned int>(x2) << 16) | (static_cast<unsigned int>(x1) & 0xFFFFu);
}

void MarkerDecimator::choose(std::vector<SarvikProvider::EventMarker>& markers, RowKeys& rowKeys,
                             std::vector<int>& chosen) const
{
    chosen.clear();
    rowKeys.clear();
    const int rows = m_rows.getRowCount();
    if (markers.empty() || rows <= 0)
        return;
    rowKeys.resize(rows);
    int first = -1;
    int last = -1;
    m_rows.getVisibleRowRange(first, last);
    if (first == -1 || last == -1)
        return;

    std::vector<RowRun> runs = splitByRow(markers, first, last);
    const TimeWindow window = timeWindow();
    // One set per thread, grown once to the busiest row it met.
    tbb::enumerable_thread_specific<SpanKeySet> sets;
    dd_sarvik_2_2::dd_parallel_runs::for_each(runs.size(), [&](size_t begin, size_t end) {
        SpanKeySet& seen = sets.local();
        for (size_t r = begin; r != end; ++r) {
            seen.clear();
            chooseInRow(markers, runs[r], window, seen, rowKeys);
        }
    });
    for (const RowRun& run : runs)
        chosen.insert(chosen.end(), run.chosen.begin(), run.chosen.end());
}

std::vector<MarkerDecimator::RowRun>
MarkerDecimator::splitByRow(const std::vector<SarvikProvider::EventMarker>& markers, int first, int last) const
{
    const int rows = m_rows.getRowCount();
    std::vector<RowRun> runs;
    for (size_t begin = 0; begin < markers.size();) {
        RowRun run;
        run.begin = begin;
        run.row = rowOf(markers[begin]);
        run.end = static_cast<size_t>(
            std::partition_point(markers.begin() + static_cast<std::ptrdiff_t>(begin), markers.end(),
                                 [row = run.row](const SarvikProvider::EventMarker& m) { return rowOf(m) == row; }) -
            markers.begin());
        const int display = run.row >= 0 && run.row < rows ? m_rows.getDisplayRow(run.row) : -1;
        run.shown = display != -1 && display >= first && display <= last;
        begin = run.end;
        runs.push_back(std::move(run));
    }
    return runs;
}

MarkerDecimator::TimeWindow MarkerDecimator::timeWindow() const
{
    // Markers just outside the view still show a part of their shape.
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t margin = m_ruler.getMarkerMargin().GetValue();
    const std::uint64_t start = m_ruler.getStart().GetValue();
    const std::uint64_t end = m_ruler.getEnd().GetValue();
    return {start >= margin ? start - margin : 0, end <= kMax - margin ? end + margin : kMax};
}

void MarkerDecimator::chooseInRow(std::vector<SarvikProvider::EventMarker>& markers, RowRun& run,
                                  const TimeWindow& window, SpanKeySet& seen, RowKeys& rowKeys) const
{
    // Spans are looked up in a hash set, then handed to the row's map in one go.
    std::vector<unsigned int> rowChosen;
    for (size_t i = run.begin; i < run.end; ++i) {
        SarvikProvider::EventMarker& marker = markers[i];
        if (marker.rect.width != 0) // most are 0 already: leave their memory clean
            marker.rect.width = 0;
        if (!run.shown || marker.endTime < window.start || marker.startTime > window.end)
            continue;
        const int x1 = m_ruler.xFromTime(marker.startTime, true);
        // Most markers are instants: one position serves both ends.
        const int x2 = marker.endTime == marker.startTime ? x1 : m_ruler.xFromTime(marker.endTime, true);
        const unsigned int key = spanKey(x1, x2);
        if (seen.insert(key)) {
            rowChosen.push_back(key);
            run.chosen.push_back(static_cast<int>(i));
        }
    }
    if (rowChosen.empty())
        return; // a row out of view or past the area's rows has no map to fill
    // In key order every insertion lands at the end, where the hint points: no tree walks.
    std::sort(rowChosen.begin(), rowChosen.end());
    std::map<unsigned int, int>& keys = rowKeys[static_cast<size_t>(run.row)];
    for (unsigned int key : rowChosen)
        keys.emplace_hint(keys.end(), key, 1);
}

} // namespace velmora_1_0
