#pragma once
// The slices of one row as the slice layer keeps them: the provider's record (slices by start,
// names, categories, lanes needed) and, per lane, the indices of its slices by start, which is
// what the decimator and hit tests walk.
#include <VelmoraExport.h>
#include "provider/SarvikProvider.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <wx/colour.h>

namespace velmora_1_0 {

class VELMORA_API SliceRow {
public:
    using Slice = SarvikProvider::Slice;

    SliceRow() = default;
    explicit SliceRow(SarvikProvider::SliceData data);

    int depth() const { return m_data.depth; }
    const std::vector<Slice>& slices() const { return m_data.slices; }
    const std::vector<int>& lane(int index) const { return m_lanes[index]; }
    // The slice's name; empty when it has none.
    const std::wstring& name(const Slice& slice) const;
    const std::wstring& category(const Slice& slice) const;
    // The fill of the slice's box (SliceColor of its name), worked out once per name.
    const wxColour& colour(const Slice& slice) const;
    // The same as a Renderer line colour, for the lanes' lines of pixels.
    std::uint32_t lineColour(const Slice& slice) const
    {
        return m_lineColours[colourIndex(slice)];
    }
    // Index into slices() of the slice of `lane` covering `time`; -1 when none does.
    int sliceAt(int lane, std::uint64_t time) const;
    // Indices into slices() of the direct children of `slice`, by start.
    std::vector<int> children(int slice) const;

private:
    SarvikProvider::SliceData m_data;
    std::vector<std::vector<int>> m_lanes;
    std::size_t colourIndex(const Slice& slice) const
    {
        return slice.name >= 0 && slice.name < static_cast<int>(m_data.names.size()) ? static_cast<std::size_t>(slice.name)
                                                                                      : m_colours.size() - 1;
    }

    std::vector<wxColour> m_colours; // by name; the last one for slices without a name
    std::vector<std::uint32_t> m_lineColours; // the same, as lines of pixels take them
};

} // namespace velmora_1_0
