#include "layers/SliceDetails.h"

#include <tarquel_1_0/QuantityText.h>

namespace velmora_1_0 {

using tarquel_1_0::durationText;

namespace {

wxString nameOf(const SliceRow& row, const SliceRow::Slice& slice)
{
    const std::wstring& name = row.name(slice);
    return name.empty() ? wxString("(unnamed)") : wxString(name);
}

} // namespace

std::vector<SliceDetails::Line> SliceDetails::describe(const SliceLayer::Item& item, const SliceRow& row,
                                                       const wxString& rowName)
{
    std::vector<Line> lines;
    const std::vector<SliceRow::Slice>& slices = row.slices();
    if (!item.valid() || item.slice >= static_cast<int>(slices.size()))
        return lines;
    const auto add = [&lines](const wxString& text, SliceLayer::Item target = {}) { lines.push_back({text, target}); };
    const SliceRow::Slice& slice = slices[item.slice];
    if (item.count > 1) {
        add(wxString::Format("%d slices too narrow to tell apart", item.count));
        add("Thread: " + rowName);
        add("From: " + durationText(static_cast<double>(slice.startTime)));
        add("Zoom in to see them one by one");
        return lines;
    }
    add(nameOf(row, slice));
    const std::wstring& category = row.category(slice);
    if (!category.empty())
        add("Category: " + wxString(category));
    add("Thread: " + rowName);
    add("Start: " + durationText(static_cast<double>(slice.startTime)));
    add("Duration: " + durationText(static_cast<double>(slice.endTime - slice.startTime)));
    add("Self time: " + durationText(static_cast<double>(slice.selfTime)));
    add(wxString::Format("Depth: %d", slice.depth));
    if (slice.parent >= 0)
        add("Parent: " + nameOf(row, slices[slice.parent]), {item.row, slice.parent, 1});
    const std::vector<int> children = row.children(item.slice);
    if (!children.empty())
        add(wxString::Format("Children: %d", static_cast<int>(children.size())));
    for (std::size_t i = 0; i < children.size() && i < static_cast<std::size_t>(kMaxChildren); ++i) {
        const SliceRow::Slice& child = slices[children[i]];
        add("    " + nameOf(row, child) + " (" + durationText(static_cast<double>(child.endTime - child.startTime)) +
                ")",
            {item.row, children[i], 1});
    }
    if (children.size() > static_cast<std::size_t>(kMaxChildren))
        add(wxString::Format("    and %d more", static_cast<int>(children.size()) - kMaxChildren));
    return lines;
}

} // namespace velmora_1_0
