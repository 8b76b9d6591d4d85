#include "pane/ViewpointParser.h"

#include "pane/LayerLocation.h"
#include "pane/QueryResolver.h"

#include <VORN_2_9/varg_list.h>
#include <VORN_2_9/variant.h>
#include <tarquel_1_0/MessageCatalog.h>

namespace velmora_1_0 {

namespace {

// Catalog text of an attribute's value; a value that is not text reads as the empty key.
std::wstring catalogTextOf(const mirrow2::variant_t& value)
{
    return tarquel_1_0::getString(wxString(value.get_text()), VORN_2_9::generic::varg_list()).ToStdWstring();
}

bool isOn(const mirrow2::variant_t& value)
{
    return VORN_2_9::types::variant::as_int(value) != 0;
}

wxString layerMultipleMessage(const wxString& element, int layerInstance, int areaInstance, int rowSetInstance)
{
    if (areaInstance >= 1 && rowSetInstance >= 1)
        return wxString::Format("Timeline: Multiple <%s> found under <layer> instance %d, area instance %d, rowSet "
                                "instance %d. Only the first <%s> will be used.",
                                element, layerInstance, areaInstance, rowSetInstance, element);
    return wxString::Format("Timeline: Multiple <%s> found under <layer> instance %d, under <ruler>. Only the first "
                            "<%s> will be used.",
                            element, layerInstance, element);
}

} // namespace

ViewpointParser::ViewpointParser() = default;
ViewpointParser::~ViewpointParser() = default;

bool ViewpointParser::parse(mirrow2::variant_bag_t viewpoint,
                            mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary> library,
                            brannow2::IMessenger* borrowedMessenger)
{
    messenger = borrowedMessenger;
    queryLibrary = std::move(library);
    areas.clear();
    ruler = Ruler();
    errors.clear();

    for (const mirrow2::variant_bag_t& element : viewpoint.bags()) {
        const std::wstring& name = element.name();
        if (name == L"area") {
            Area area;
            area.instance = static_cast<int>(areas.size()) + 1;
            readArea(element, area);
            areas.push_back(std::move(area));
        } else if (name == L"ruler") {
            if (ruler.valid)
                errors.push_back("Timeline: Multiple <ruler> found. Only the first <ruler> will be used.");
            else
                readRuler(element);
        } else if (name == L"showError") {
            readShowError(element);
        } else if (name != L"helpKeywordF1" && name != L"description" && name != L"icon") {
            errors.push_back(wxString::Format(
                "Timeline: Unknown top-level element <%s> found. Expected <area> or <ruler>.", wxString(name)));
        }
    }

    if (areas.empty())
        errors.push_back("Timeline: At least one <area> was expected but could not be found. Timeline will appear "
                         "empty.");
    else if (queryLibrary)
        resolve();
    return errors.empty();
}

void ViewpointParser::getErrors(std::vector<wxString>& out) const
{
    out = errors;
}

void ViewpointParser::readArea(const mirrow2::variant_bag_t& element, Area& area)
{
    for (const mirrow2::variant_bag_t& child : element.bags()) {
        if (child.name() == L"rowSet") {
            RowSet rowSet;
            rowSet.instance = static_cast<int>(area.rowSets.size()) + 1;
            readRowSet(child, area.instance, rowSet);
            area.rowSets.push_back(std::move(rowSet));
        } else {
            errors.push_back(wxString::Format("Timeline: Unknown element <%s> found under <area> instance %d. "
                                              "Expected <rowSet>.",
                                              wxString(child.name()), area.instance));
        }
    }
    if (area.rowSets.size() > 1)
        errors.push_back(wxString::Format("Timeline: Multiple <rowSet> found under <area> instance %d. Only the "
                                          "first <rowSet> will be used.",
                                          area.instance));
    area.valid = !area.rowSets.empty();
}

void ViewpointParser::readRowSet(const mirrow2::variant_bag_t& element, int areaInstance, RowSet& rowSet)
{
    if (element.has_value(L"displayName"))
        rowSet.displayName = catalogTextOf(element.get_value(L"displayName"));
    if (element.has_value(L"sortOrder"))
        rowSet.sortOrder = VORN_2_9::types::variant::as_int(element.get_value(L"sortOrder"));
    for (const mirrow2::variant_bag_t& child : element.bags()) {
        if (child.name() == L"layer") {
            LayerInfo layer;
            layer.instance = static_cast<int>(rowSet.layers.size()) + 1;
            readLayer(child, areaInstance, rowSet.instance, layer);
            rowSet.layers.push_back(std::move(layer));
        } else if (child.name() == L"rowBy") {
            readRowBy(child, areaInstance, rowSet);
        } else {
            errors.push_back(wxString::Format("Timeline: Unknown element <%s> found under <rowSet> instance %d, area "
                                              "instance %d. Expected <layer> or <rowBy>.",
                                              wxString(child.name()), rowSet.instance, areaInstance));
        }
    }
    rowSet.hasLayers = !rowSet.layers.empty();
}

void ViewpointParser::readRowBy(const mirrow2::variant_bag_t& element, int areaInstance, RowSet& rowSet)
{
    RowBy& rowBy = rowSet.rowBy;
    if (rowBy.present) {
        errors.push_back(wxString::Format("Timeline: Multiple <rowBy> found under <rowSet> instance %d, area "
                                          "instance %d. Only the first <rowBy> will be used.",
                                          rowSet.instance, areaInstance));
        return;
    }
    rowBy.present = true;
    rowBy.bag = element;
    rowBy.displayName = catalogTextOf(element.get_value(L"displayName", L"%Running_wait_state"));
}

void ViewpointParser::readLayer(const mirrow2::variant_bag_t& element, int areaInstance, int rowSetInstance,
                                LayerInfo& layer)
{
    if (element.has_value(L"visible"))
        layer.visible = isOn(element.get_value(L"visible"));
    for (const mirrow2::variant_bag_t& child : element.bags()) {
        const std::wstring& name = child.name();
        if (name == L"drawBy") {
            if (layer.drawBy.present) {
                errors.push_back(layerMultipleMessage(name, layer.instance, areaInstance, rowSetInstance));
                continue;
            }
            layer.drawBy.bag = child;
            layer.drawBy.present = true;
            layer.drawBy.required = child.has_value(L"required") && isOn(child.get_value(L"required"));
        } else if (name == L"tooltipBy") {
            if (layer.hasTooltipBy) {
                errors.push_back(layerMultipleMessage(name, layer.instance, areaInstance, rowSetInstance));
                continue;
            }
            layer.tooltipBy.bag = child;
            layer.hasTooltipBy = true;
        } else {
            errors.push_back(wxString::Format(
                "Timeline: Unknown element <%s> found under <layer>. Expected <drawBy> or <tooltipBy>.",
                wxString(name)));
        }
    }
    layer.valid = layer.drawBy.present;
}

void ViewpointParser::readRuler(const mirrow2::variant_bag_t& element)
{
    for (const mirrow2::variant_bag_t& child : element.bags()) {
        if (child.name() == L"layer") {
            LayerInfo layer;
            layer.instance = static_cast<int>(ruler.layers.size()) + 1;
            readLayer(child, 0, 0, layer);
            ruler.layers.push_back(std::move(layer));
        } else {
            errors.push_back(wxString::Format("Timeline: Unknown element <%s> found under <ruler>. Expected <layer>.",
                                              wxString(child.name())));
        }
    }
    ruler.valid = !ruler.layers.empty();
}

void ViewpointParser::readShowError(const mirrow2::variant_bag_t& element)
{
    const mirrow2::variant_t& value = element.first_value();
    showError = value.is_text() && VORN_2_9::types::variant::as_int(value) != 0;
}

void ViewpointParser::resolve()
{
    QueryResolver resolver(*queryLibrary, messenger, errors);
    for (LayerInfo& layer : ruler.layers)
        resolver.resolveLayer(layer, LayerLocation(0, 0, layer.instance));
    for (Area& area : areas) {
        for (RowSet& rowSet : area.rowSets) {
            if (!rowSet.hasLayers)
                continue;
            if (rowSet.rowBy.present)
                resolver.resolveRowBy(rowSet.rowBy, area.instance, rowSet.instance);
            for (LayerInfo& layer : rowSet.layers)
                resolver.resolveLayer(layer, LayerLocation(area.instance, rowSet.instance, layer.instance));
        }
    }
}

} // namespace velmora_1_0
