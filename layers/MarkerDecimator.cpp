#include "layers/MarkerDecimator.h"

#include "layers/MarkerList.h"
#include "layers/SpanKeySet.h"

#include <dd_sarvik_2_2/dd_parallel_runs.h>
#include <tarquel_1_0/ColumnCursor.h>
#include <tarquel_1_0/ColumnEdges.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>

#include <tbb/enumerable_thread_specific.h>

#include <algorithm>
#include <limits>

namespace velmora_1_0 {

namespace {

int choiceRowOf(short row)
{
    return row == -1 ? 0 : row;
}

} // namespace

MarkerDecimator::MarkerDecimator(const tarquel_1_0::Ruler& ruler, tarquel_1_0::GraphLayerParent& rows)
    : m_ruler(ruler), m_rows(rows)
{
}

void MarkerDecimator::widenLongest(const std::vector<SarvikProvider::EventMarker>& markers,
                                   std::vector<std::uint64_t>& longest)
{
    for (const SarvikProvider::EventMarker& marker : markers) {
        if (marker.row < -1)
            continue; // no row: never chosen
        const size_t slot = static_cast<size_t>(marker.row + 1);
        if (slot >= longest.size())
            longest.resize(slot + 1, 0);
        if (marker.endTime > marker.startTime)
            longest[slot] = std::max(longest[slot], marker.endTime - marker.startTime);
    }
}

void MarkerDecimator::choose(const MarkerList& markers, const std::vector<std::uint64_t>& longest,
                             RowChoices& chosen) const
{
    const int rows = std::max(0, m_rows.getRowCount());
    chosen.resize(static_cast<size_t>(rows));
    for (std::vector<Choice>& row : chosen)
        row.clear();
    if (markers.empty() || rows == 0)
        return;
    int first = -1;
    int last = -1;
    m_rows.getVisibleRowRange(first, last);
    if (first == -1 || last == -1)
        return;

    std::vector<RowRun> runs = splitByRow(markers.rows(), first, last);
    const TimeWindow window = timeWindow();
    const tarquel_1_0::ColumnEdges edges(m_ruler);
    // One set per thread, grown once to the busiest row it met.
    tbb::enumerable_thread_specific<SpanKeySet> sets;
    dd_sarvik_2_2::dd_parallel_runs::for_each(runs.size(), [&](size_t begin, size_t end) {
        SpanKeySet& seen = sets.local();
        for (size_t r = begin; r != end; ++r) {
            seen.clear();
            const RowRun& run = runs[r];
            if (run.shown)
                chooseInRow(markers, longest, run, window, edges, seen, chosen[static_cast<size_t>(run.row)]);
        }
    });
}

std::vector<MarkerDecimator::RowRun> MarkerDecimator::splitByRow(const std::vector<short>& markerRows, int first,
                                                                 int last) const
{
    const int rows = m_rows.getRowCount();
    std::vector<RowRun> runs;
    for (size_t begin = 0; begin < markerRows.size();) {
        RowRun run;
        run.begin = begin;
        run.row = choiceRowOf(markerRows[begin]);
        run.end = static_cast<size_t>(std::partition_point(markerRows.begin() + static_cast<std::ptrdiff_t>(begin),
                                                           markerRows.end(),
                                                           [row = run.row](short r) { return choiceRowOf(r) == row; }) -
                                      markerRows.begin());
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

void MarkerDecimator::chooseInRow(const MarkerList& markers, const std::vector<std::uint64_t>& longest,
                                  const RowRun& run, const TimeWindow& window, const tarquel_1_0::ColumnEdges& edges,
                                  SpanKeySet& seen, std::vector<Choice>& chosen) const
{
    using Times = MarkerList::Times;
    // Only the times and rows are read, each a column of its own: a million markers' worth
    // stays a small share of what whole records would pull through the cache.
    const std::vector<Times>& times = markers.times();
    const std::vector<short>& rows = markers.rows();
    const auto timeAt = [&times](size_t i) { return times.begin() + static_cast<std::ptrdiff_t>(i); };
    const auto rowAt = [&rows](size_t i) { return rows.begin() + static_cast<std::ptrdiff_t>(i); };
    // Starts rise along each row of the run (global markers, then the row's own), and so do their
    // columns: a span can only repeat one of the spans that start in its column. Those less than
    // 64 columns wide are kept as bits of the start column's mask, which empties when the column
    // moves on. Keys of wider spans can equal keys of other spans (the key keeps 16 bits of each
    // column), and a row's markers that follow the global ones start again from the left: from
    // then on the set takes every span chosen, so that a key is compared with all of them.
    bool keyAll = rows[run.begin] != rows[run.end - 1];
    tarquel_1_0::ColumnCursor starts(edges);
    for (size_t begin = run.begin; begin < run.end;) {
        const short row = rows[begin];
        const size_t end = static_cast<size_t>(
            std::partition_point(rowAt(begin), rowAt(run.end), [row](short r) { return r == row; }) - rows.begin());
        // Nothing starting after the window reaches into it, nor anything starting earlier than
        // the row's longest marker before it.
        const size_t slot = static_cast<size_t>(row + 1);
        const std::uint64_t reach = slot < longest.size() ? longest[slot] : window.start;
        const std::uint64_t earliest = window.start > reach ? window.start - reach : 0;
        const size_t from = static_cast<size_t>(
            std::partition_point(timeAt(begin), timeAt(end), [earliest](const Times& t) { return t.start < earliest; }) -
            times.begin());
        const size_t reaching = static_cast<size_t>(
            std::partition_point(timeAt(from), timeAt(end), [&window](const Times& t) { return t.start <= window.end; }) -
            times.begin());
        int maskColumn = std::numeric_limits<int>::min(); // no column
        std::uint64_t mask = 0;
        for (size_t i = from; i < reaching; ++i) {
            const Times& marker = times[i];
            if (marker.end < window.start)
                continue;
            const int x1 = starts.column(marker.start);
            const bool duration = marker.end != marker.start;
            // Most markers are instants: one position serves both ends.
            const int x2 = duration ? starts.endColumn(marker.end) : x1;
            const unsigned int width = static_cast<unsigned int>(x2) - static_cast<unsigned int>(x1);
            if (width < 64) {
                if (x1 != maskColumn) {
                    maskColumn = x1;
                    mask = 0;
                }
                const std::uint64_t bit = std::uint64_t(1) << width;
                if (mask & bit)
                    continue;
                mask |= bit;
            } else if (!keyAll) {
                for (const Choice& earlier : chosen)
                    seen.insert(spanKey(earlier.x1, earlier.x2));
                keyAll = true;
            }
            if (keyAll && !seen.insert(spanKey(x1, x2)))
                continue;
            // Field by field: a whole Choice built aside and copied in stalls on the copy.
            Choice& choice = chosen.emplace_back();
            choice.index = static_cast<int>(i);
            choice.x1 = x1;
            choice.x2 = x2;
            choice.duration = duration;
            choice.global = row == -1;
        }
        begin = end;
    }
}

} // namespace velmora_1_0
