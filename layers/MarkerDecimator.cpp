#include "layers/MarkerDecimator.h"

#include "layers/SpanKeySet.h"

#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>

#include <limits>

namespace velmora_1_0 {

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

    // Markers just outside the view still show a part of their shape.
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t margin = m_ruler.getMarkerMargin().GetValue();
    const std::uint64_t start = m_ruler.getStart().GetValue();
    const std::uint64_t end = m_ruler.getEnd().GetValue();
    const std::uint64_t windowStart = start >= margin ? start - margin : 0;
    const std::uint64_t windowEnd = end <= kMax - margin ? end + margin : kMax;

    // Sorted by row: each row's display position is asked once, and a row's spans are looked up
    // in a hash set, then handed to the row's map in one go.
    SpanKeySet seen;
    std::vector<unsigned int> rowChosen;
    int currentRow = std::numeric_limits<int>::min();
    bool rowShown = false;
    const auto keepRow = [&] {
        if (rowChosen.empty())
            return;
        std::map<unsigned int, int>& keys = rowKeys[currentRow];
        for (unsigned int key : rowChosen)
            keys.emplace_hint(keys.end(), key, 1);
        rowChosen.clear();
    };
    for (size_t i = 0; i < markers.size(); ++i) {
        SarvikProvider::EventMarker& marker = markers[i];
        if (marker.rect.width != 0) // most are 0 already: leave their memory clean
            marker.rect.width = 0;
        if (marker.endTime < windowStart || marker.startTime > windowEnd)
            continue;
        const int row = marker.row == -1 ? 0 : marker.row;
        if (row != currentRow) {
            keepRow();
            seen.clear();
            currentRow = row;
            const int display = row >= 0 && row < rows ? m_rows.getDisplayRow(row) : -1;
            rowShown = display != -1 && display >= first && display <= last;
        }
        if (!rowShown)
            continue;
        const int x1 = m_ruler.xFromTime(marker.startTime, true);
        // Most markers are instants: one position serves both ends.
        const int x2 = marker.endTime == marker.startTime ? x1 : m_ruler.xFromTime(marker.endTime, true);
        const unsigned int key = spanKey(x1, x2);
        if (seen.insert(key)) {
            rowChosen.push_back(key);
            chosen.push_back(static_cast<int>(i));
        }
    }
    keepRow();
}

} // namespace velmora_1_0
