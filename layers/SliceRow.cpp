#include "layers/SliceRow.h"

#include "layers/SliceColor.h"

#include <tarquel_1_0/Renderer.h>

#include <algorithm>

namespace velmora_1_0 {

namespace {
const std::wstring kNone;
} // namespace

SliceRow::SliceRow(SarvikProvider::SliceData data) : m_data(std::move(data)), m_lanes(m_data.depth)
{
    for (int index = 0; index < static_cast<int>(m_data.slices.size()); ++index) {
        const int depth = m_data.slices[index].depth;
        if (depth >= 0 && depth < m_data.depth)
            m_lanes[depth].push_back(index);
    }
    for (const std::wstring& name : m_data.names)
        m_colours.push_back(SliceColor::of(name));
    m_colours.push_back(SliceColor::of(kNone));
    for (const wxColour& colour : m_colours)
        m_lineColours.push_back(tarquel_1_0::Renderer::lineColour(colour));
}

const wxColour& SliceRow::colour(const Slice& slice) const
{
    return m_colours[colourIndex(slice)];
}

const std::wstring& SliceRow::name(const Slice& slice) const
{
    return slice.name >= 0 && slice.name < static_cast<int>(m_data.names.size()) ? m_data.names[slice.name] : kNone;
}

const std::wstring& SliceRow::category(const Slice& slice) const
{
    return slice.name >= 0 && slice.name < static_cast<int>(m_data.categories.size()) ? m_data.categories[slice.name]
                                                                                        : kNone;
}

int SliceRow::sliceAt(int lane, std::uint64_t time) const
{
    if (lane < 0 || lane >= static_cast<int>(m_lanes.size()))
        return -1;
    const std::vector<int>& entries = m_lanes[lane];
    // The last slice starting at or before `time`.
    const auto after = std::upper_bound(entries.begin(), entries.end(), time,
                                        [this](std::uint64_t t, int index) { return t < m_data.slices[index].startTime; });
    if (after == entries.begin())
        return -1;
    const int index = *(after - 1);
    return time < m_data.slices[index].endTime ? index : -1;
}

std::vector<int> SliceRow::children(int slice) const
{
    std::vector<int> found;
    if (slice < 0 || slice >= static_cast<int>(m_data.slices.size()))
        return found;
    // Children follow their parent in start order and start before it ends.
    const Slice& parent = m_data.slices[slice];
    for (int index = slice + 1; index < static_cast<int>(m_data.slices.size()); ++index) {
        const Slice& candidate = m_data.slices[index];
        if (candidate.startTime >= parent.endTime)
            break;
        if (candidate.parent == slice)
            found.push_back(index);
    }
    return found;
}

} // namespace velmora_1_0
