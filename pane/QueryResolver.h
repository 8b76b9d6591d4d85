#pragma once
// Turns the rowBy, drawBy and tooltipBy elements of a parsed viewpoint into queries of the
// query library and fills their data sources: table and attribute names, the query kind and
// its resolver, display format and colours, numeric limits and the restriction chain
// (info restrictions become series records, data restrictions database references of the
// expression). The parser creates one for each resolution pass; every fault is appended to
// the parser's error list in the order met.
#include "pane/ViewpointParser.h"

#include <wx/string.h>

#include <string>
#include <vector>

namespace sarvikhelpers_1_0 {
class IInfoQuery;
class IQuery;
class IQueryLibrary;
class ITableQuery;
} // namespace sarvikhelpers_1_0

namespace velmora_1_0 {

class LayerLocation;

class QueryResolver {
public:
    QueryResolver(const sarvikhelpers_1_0::IQueryLibrary& library, brannow2::IMessenger* messenger,
                  std::vector<wxString>& errors);

    void resolveRowBy(ViewpointParser::RowBy& rowBy, int areaInstance, int rowSetInstance);
    // The layer's drawBy when present, then its tooltipBy when present.
    void resolveLayer(ViewpointParser::LayerInfo& layer, const LayerLocation& location);

private:
    void resolveDrawBy(ViewpointParser::DrawBy& drawBy, const wxString& location);
    void resolveTooltipBy(ViewpointParser::TooltipBy& tooltipBy, const wxString& location);
    void readDisplayAttributes(const sarvikhelpers_1_0::IQuery& query, const wxString& location,
                               ViewpointParser::DrawBy& drawBy);
    // The element's own attribute of that name, else the query's.
    void readColor(const sarvikhelpers_1_0::IQuery& query, const mirrow2::variant_bag_t& element,
                   const wchar_t* attribute, const wxColour& fallback, wxColour& colour, bool& colorSet);
    void chooseKind(const sarvikhelpers_1_0::IQuery& query, const wxString& location, ViewpointParser::DrawBy& drawBy);
    void resolveInfo(const sarvikhelpers_1_0::IInfoQuery& query, const wxString& location,
                     ViewpointParser::DrawBy& drawBy);
    void resolveNumeric(const sarvikhelpers_1_0::ITableQuery& query, const wxString& location,
                        ViewpointParser::DrawBy& drawBy);
    void resolveData(const sarvikhelpers_1_0::ITableQuery& query, const wxString& location,
                     ViewpointParser::DrawBy& drawBy);
    void readRestrictions(const sarvikhelpers_1_0::IQuery& query, const wxString& location,
                          SarvikDataSource& source);
    // The query's first value as text; a second value is reported and ignored.
    std::wstring firstValue(const sarvikhelpers_1_0::IQuery& query, const wxString& location);
    void addError(const wxString& message) { m_errors.push_back(message); }

    const sarvikhelpers_1_0::IQueryLibrary& m_library;
    brannow2::IMessenger* m_messenger;
    std::vector<wxString>& m_errors;
};

} // namespace velmora_1_0
