#include "pane/ViewpointUpdate.h"

#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/string.h>

#include <algorithm>
#include <functional>

namespace velmora_1_0 {

namespace {

using Bag = mirrow2::variant_bag_t;

// A copy of `source` whose children are what `child` makes of them, in order.
Bag withChildren(const Bag& source, const std::function<Bag(const Bag&)>& child)
{
    Bag copy(source.name());
    for (const Bag::value_entry_t& value : source.values())
        copy.add_value(value.first, value.second);
    for (const Bag& element : source.bags())
        copy.add_bag(child(element));
    return copy;
}

// A copy of `source` in which `child` remakes the first child element named `name`: the
// description uses only the first of each.
Bag withFirstChild(const Bag& source, const std::wstring& name, const std::function<Bag(const Bag&)>& child)
{
    bool found = false;
    return withChildren(source, [&](const Bag& element) {
        if (found || element.name() != name)
            return element;
        found = true;
        return child(element);
    });
}

// A copy of `source` with the attribute `name` set to `text`, in place when it was there.
Bag withAttribute(const Bag& source, const std::wstring& name, const std::wstring& text)
{
    Bag copy(source.name());
    bool replaced = false;
    for (const Bag::value_entry_t& value : source.values()) {
        const bool same = value.first == name && !replaced;
        copy.add_value(value.first, same ? mirrow2::variant_t(text) : value.second);
        replaced = replaced || same;
    }
    if (!replaced)
        copy.add_value(name, mirrow2::variant_t(text));
    for (const Bag& element : source.bags())
        copy.add_bag(element);
    return copy;
}

// The hexadecimal form the description reads, with the alpha byte, so that a translucent colour
// comes back as it was.
std::wstring colourText(const wxColour& colour)
{
    return wxString::Format("0x%02x%02x%02x%02x", colour.Alpha(), colour.Red(), colour.Green(), colour.Blue())
        .ToStdWstring();
}

} // namespace

ViewpointUpdate::ViewpointUpdate(const tarquel_1_0::Timeline& timeline, const LayerOrigins& origins,
                                 std::vector<std::size_t> paneAreas)
    : m_timeline(timeline), m_origins(origins), m_paneAreas(std::move(paneAreas))
{
}

mirrow2::variant_bag_t ViewpointUpdate::apply(const mirrow2::variant_bag_t& document) const
{
    std::size_t areas = 0;
    bool rulerUsed = false;
    return withChildren(document, [&](const Bag& element) {
        if (element.name() == L"area") {
            const int paneIndex = paneOfArea(areas++);
            if (paneIndex < 0)
                return element;
            return withFirstChild(element, L"rowSet", [&](const Bag& rowSet) { return updateRowSet(rowSet, paneIndex); });
        }
        // The first ruler with a layer is the one the timeline shows.
        if (element.name() == L"ruler" && !rulerUsed && element.has_bag(L"layer")) {
            rulerUsed = true;
            return updateLayers(element, -1);
        }
        return element;
    });
}

mirrow2::variant_bag_t ViewpointUpdate::updateRowSet(const mirrow2::variant_bag_t& rowSet, int paneIndex) const
{
    const Bag layers = updateLayers(rowSet, paneIndex);
    const tarquel_1_0::HeaderCtrl* header = m_timeline.getHeader(paneIndex);
    const int order = header ? header->getSortOrder() : 0;
    return order == 0 ? layers : withAttribute(layers, L"sortOrder", std::to_wstring(order));
}

mirrow2::variant_bag_t ViewpointUpdate::updateLayers(const mirrow2::variant_bag_t& parent, int paneIndex) const
{
    int instance = 0;
    return withChildren(parent, [&](const Bag& layer) {
        if (layer.name() != L"layer")
            return layer;
        ++instance;
        const auto& origins = m_origins.origins();
        const auto origin = std::find_if(origins.begin(), origins.end(), [&](const LayerOrigins::Origin& entry) {
            return entry.paneIndex == paneIndex && entry.layerInstance == instance;
        });
        if (origin == origins.end())
            return layer;
        const std::wstring colour = colourText(origin->layer->getColor());
        return withFirstChild(layer, L"drawBy",
                              [&](const Bag& drawBy) { return withAttribute(drawBy, L"timelineGraphColor", colour); });
    });
}

int ViewpointUpdate::paneOfArea(std::size_t position) const
{
    const auto found = std::find(m_paneAreas.begin(), m_paneAreas.end(), position);
    return found == m_paneAreas.end() ? -1 : static_cast<int>(found - m_paneAreas.begin());
}

} // namespace velmora_1_0
