#include "pane/QueryResolver.h"

#include "pane/ColorText.h"
#include "pane/LayerLocation.h"
#include "pane/TableCheck.h"

#include <VORN_2_9/varg_list.h>
#include <dd_sarvik_2_2/dd_rpn_node.h>
#include <sarvikhelpers_1_0/ICountQuery.h>
#include <sarvikhelpers_1_0/IDataQuery.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>
#include <sarvikhelpers_1_0/IInstanceCountQuery.h>
#include <sarvikhelpers_1_0/IQueryLibrary.h>
#include <sarvikhelpers_1_0/ITimeQuery.h>
#include <sarvikhelpers_1_0/IVectorQuery.h>
#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/MessageCatalog.h>

#include <optional>

namespace velmora_1_0 {

using sarvikhelpers_1_0::IQuery;
using sarvikhelpers_1_0::ITableQuery;

namespace {

const wxString drawByElement = "<drawBy>";

std::wstring catalogText(const std::wstring& key)
{
    return tarquel_1_0::getString(wxString(key), VORN_2_9::generic::varg_list()).ToStdWstring();
}

// Empty when the query has no such attribute (or gives it no text).
std::wstring attributeText(const IQuery& query, const wchar_t* name)
{
    const mirrow2::variant_t value = query.getAttribute(name, mirrow2::variant_t());
    return value.is_empty() ? std::wstring() : value.to_text();
}

double limitValue(const std::optional<std::wstring>& text, double current)
{
    if (!text)
        return current;
    double value = 0.0;
    return wxString(*text).ToCDouble(&value) ? value : 0.0;
}

void readLimits(const IQuery& query, SarvikDataSource& source)
{
    source.lowerLimit = limitValue(query.getLowerLimit(), source.lowerLimit);
    source.upperLimit = limitValue(query.getUpperLimit(), source.upperLimit);
}

void setTables(const ITableQuery& query, SarvikDataSource& source)
{
    source.attributeTable = query.getAttributeTable();
    source.instanceTable = query.getInstanceTable();
    source.attributeName.clear();
    source.auxName.clear();
}

// 3 time, 4 count, 5 instance count; 0 for any other kind.
int numericKind(const IQuery& query)
{
    if (sarvikhelpers_1_0::ITimeQuery::cast(&query))
        return 3;
    if (sarvikhelpers_1_0::ICountQuery::cast(&query))
        return 4;
    if (sarvikhelpers_1_0::IInstanceCountQuery::cast(&query))
        return 5;
    return 0;
}

} // namespace

QueryResolver::QueryResolver(const sarvikhelpers_1_0::IQueryLibrary& library, brannow2::IMessenger* messenger,
                             std::vector<wxString>& errors)
    : m_library(library), m_messenger(messenger), m_errors(errors)
{
}

void QueryResolver::resolveRowBy(ViewpointParser::RowBy& rowBy, int areaInstance, int rowSetInstance)
{
    const mirrow2::sptr_t<const IQuery> resolved = m_library.resolve(rowBy.bag, m_messenger);
    if (!resolved) {
        addError(wxString::Format("Timeline: <rowBy>, area instance %d, rowSet instance %d, was expected to resolve "
                                  "to a non-NULL query, but the operation failed.",
                                  areaInstance, rowSetInstance));
        return;
    }
    const sarvikhelpers_1_0::IInfoQuery* info = sarvikhelpers_1_0::IInfoQuery::cast(resolved.get());
    if (!info) {
        addError(wxString::Format("Timeline: <rowBy>, area instance %d, rowSet instance %d, was expected to resolve "
                                  "to an InfoQuery, but the operation failed.",
                                  areaInstance, rowSetInstance));
        return;
    }
    SarvikDataSource& source = rowBy.dataSource;
    setTables(*info, source);
    source.attributeName = info->getAttributeName();
    // The provider remembers sort orders per row query, so the row source keeps it.
    source.query = resolved;
}

void QueryResolver::resolveLayer(ViewpointParser::LayerInfo& layer, const LayerLocation& location)
{
    const wxString where = location.text();
    if (layer.drawBy.present)
        resolveDrawBy(layer.drawBy, where);
    if (layer.hasTooltipBy)
        resolveTooltipBy(layer.tooltipBy, where);
}

void QueryResolver::resolveDrawBy(ViewpointParser::DrawBy& drawBy, const wxString& location)
{
    const mirrow2::sptr_t<const IQuery> resolved = m_library.resolve(drawBy.bag, m_messenger);
    if (!resolved) {
        addError(wxString::Format("Timeline: <drawBy>, %s, resolved to a NULL query.", location));
        return;
    }
    if (resolved->getQueryCount() > 1)
        addError(wxString::Format("Timeline: <drawBy>, %s, resolves to multiple queries. Only the first query will "
                                  "be used.",
                                  location));
    drawBy.dataSource.query = resolved->getDefaultQuery();
    if (!drawBy.dataSource.query) {
        addError(wxString::Format("Timeline: <drawBy>, %s, resolves to a NULL default query.", location));
        return;
    }
    const IQuery& query = *drawBy.dataSource.query;
    readDisplayAttributes(query, location, drawBy);
    chooseKind(query, location, drawBy);
}

void QueryResolver::chooseKind(const IQuery& query, const wxString& location, ViewpointParser::DrawBy& drawBy)
{
    SarvikDataSource& source = drawBy.dataSource;
    if (const auto* info = sarvikhelpers_1_0::IInfoQuery::cast(&query)) {
        source.queryKind = 1;
        resolveInfo(*info, location, drawBy);
    } else if (const int kind = numericKind(query)) {
        source.queryKind = kind;
        resolveNumeric(static_cast<const ITableQuery&>(query), location, drawBy);
    } else if (const auto* derived = sarvikhelpers_1_0::IDerivedQuery::cast(&query)) {
        // Its expression depends on the result, so the configuration completes it.
        source.queryKind = 6;
        source.derivedQuery = SarvikDataSource::DerivedQueryPtr(derived);
    } else if (const auto* data = sarvikhelpers_1_0::IDataQuery::cast(&query)) {
        source.queryKind = 2;
        resolveData(*data, location, drawBy);
    } else {
        addError(wxString::Format("Timeline: <drawBy>, %s, did not resolve to a valid query.", location));
    }
}

void QueryResolver::readDisplayAttributes(const IQuery& query, const wxString& location,
                                          ViewpointParser::DrawBy& drawBy)
{
    const std::wstring format = attributeText(query, L"timelineFormat");
    if (format == L"area")
        drawBy.format = 2;
    else if (format == L"line")
        drawBy.format = 1;
    else if (!format.empty())
        addError(wxString::Format("Timeline: <drawBy>, %s, contains unknown display format '%s'.", location,
                                  wxString(format)));
    readColor(query, drawBy.bag, L"timelineGraphColor", tarquel_1_0::getOvertimeColor(), drawBy.graphColor,
              drawBy.graphColorSet);
    readColor(query, drawBy.bag, L"timelineFilterColor", tarquel_1_0::getFilteredOvertimeColor(), drawBy.filterColor,
              drawBy.filterColorSet);
    const std::wstring iconType = attributeText(query, L"timelineIconType");
    if (!iconType.empty())
        drawBy.iconType = iconType;
}

void QueryResolver::readColor(const IQuery& query, const mirrow2::variant_bag_t& element, const wchar_t* attribute,
                              const wxColour& fallback, wxColour& colour, bool& colorSet)
{
    // A colour the description gives the layer (one the user chose and saved) wins over the
    // query's.
    const std::wstring text =
        element.has_value(attribute) ? element.get_value(attribute).to_text() : attributeText(query, attribute);
    if (text.empty()) {
        colour = fallback;
        colorSet = false;
        return;
    }
    colorSet = ColorText::read(text, attribute, colour, m_errors);
}

void QueryResolver::resolveInfo(const sarvikhelpers_1_0::IInfoQuery& query, const wxString& location,
                                ViewpointParser::DrawBy& drawBy)
{
    SarvikDataSource& source = drawBy.dataSource;
    setTables(query, source);
    source.attributeName = query.getAttributeName();
    drawBy.displayName = catalogText(query.getDisplayName());
    source.auxName = firstValue(query, location);
    TableCheck::check(source, drawByElement, location, m_errors);
}

void QueryResolver::resolveNumeric(const ITableQuery& query, const wxString& location,
                                   ViewpointParser::DrawBy& drawBy)
{
    SarvikDataSource& source = drawBy.dataSource;
    setTables(query, source);
    drawBy.displayName = catalogText(query.getDisplayName());
    readLimits(query, source);
    readRestrictions(query, location, source);
    TableCheck::check(source, drawByElement, location, m_errors);
}

void QueryResolver::resolveData(const ITableQuery& query, const wxString& location, ViewpointParser::DrawBy& drawBy)
{
    setTables(query, drawBy.dataSource);
    readLimits(query, drawBy.dataSource);
    TableCheck::check(drawBy.dataSource, drawByElement, location, m_errors);
}

void QueryResolver::readRestrictions(const IQuery& query, const wxString& location, SarvikDataSource& source)
{
    for (mirrow2::sptr_t<const IQuery> restriction = query.getRestriction(); restriction;
         restriction = restriction->getRestriction()) {
        if (const auto* info = sarvikhelpers_1_0::IInfoQuery::cast(restriction.get())) {
            source.series.push_back({restriction, info->getAttributeTable(), info->getInstanceTable(),
                                     info->getAttributeName(), firstValue(*info, location), wxString()});
        } else if (const auto* data = sarvikhelpers_1_0::IDataQuery::cast(restriction.get())) {
            dd_sarvik_2_2::dd_rpn_node_param_db_ref_t reference;
            dd_sarvik_2_2::dd_rpn_node_param_db_ref_t::entry_t entry;
            entry.name = data->getAttributeTable();
            entry.table = data->getInstanceTable();
            reference.add_entry(std::move(entry));
            source.expression.push_back(dd_sarvik_2_2::dd_rpn_node_t::make_db_ref(std::move(reference)));
        }
    }
}

std::wstring QueryResolver::firstValue(const IQuery& query, const wxString& location)
{
    const std::vector<mirrow2::variant_t>& values = query.getValues();
    if (values.size() > 1)
        addError(wxString::Format("Timeline: <drawBy>, %s, contains multiple restrictions. Only the first "
                                  "restriction will be used.",
                                  location));
    return values.empty() ? std::wstring() : values.front().to_text();
}

void QueryResolver::resolveTooltipBy(ViewpointParser::TooltipBy& tooltipBy, const wxString& location)
{
    const mirrow2::sptr_t<const IQuery> resolved = m_library.resolve(tooltipBy.bag, m_messenger);
    if (!resolved) {
        addError(wxString::Format("Timeline: <tooltipBy>, %s, resolved to a NULL query.", location));
        return;
    }
    const sarvikhelpers_1_0::IVectorQuery* vector = sarvikhelpers_1_0::IVectorQuery::cast(resolved.get());
    if (!vector) {
        addError(wxString::Format("Timeline: <tooltipBy>, %s, resolves to a NULL vector query.", location));
        return;
    }
    SarvikDataSource& source = tooltipBy.dataSource;
    for (const mirrow2::sptr_t<const IQuery>& element : vector->getElements()) {
        const auto* info = sarvikhelpers_1_0::IInfoQuery::cast(element.get());
        if (!info) {
            addError(wxString::Format("Timeline: <tooltipBy>, %s, must resolve to an info query.", location));
            continue;
        }
        setTables(*info, source);
        source.attributeName = info->getAttributeName();
        // One line per attribute in the tooltip: the path is text5 "." text3.
        source.series.push_back({element, info->getAttributeTable(), info->getInstanceTable(),
                                 info->getAttributeName(), wxString(), info->getAttributeTable()});
    }
}

} // namespace velmora_1_0
