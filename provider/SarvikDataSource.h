#pragma once
// Where the data of a row set, a layer or a tooltip comes from: the tables and names the
// resolved viewpoint query points at, the resolved queries themselves, and the few settings
// the provider needs to build engine queries. The parser fills it, the configuration copies it
// into layers and providers, every request carries a pointer to it and the provider reads it on
// its worker thread. A copy holds its own references to the queries, so it outlives the record
// it was copied from.
#include <VelmoraExport.h>

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_rpn_node.h>
#include <mirrow2/sptr_t.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IQuery.h>
#include <tarquel_1_0/DataSource.h>

#include <wx/string.h>

#include <memory>
#include <vector>

namespace velmora_1_0 {

class VELMORA_API SarvikDataSource : public tarquel_1_0::DataSource {
public:
    using QueryPtr = mirrow2::sptr_t<const sarvikhelpers_1_0::IQuery>;
    using DerivedQueryPtr = mirrow2::sptr_t<const sarvikhelpers_1_0::IDerivedQuery>;

    // One info-query restriction of the resolved query; the over-time reader turns each into a
    // sub-query and reads text1 to text4 (tables, attribute path, value).
    struct Series {
        QueryPtr query;
        wxString text1;
        wxString text2;
        wxString text3;
        wxString text4;
        wxString text5;
    };

    SarvikDataSource();
    SarvikDataSource(const SarvikDataSource& other);
    SarvikDataSource& operator=(const SarvikDataSource& other);
    ~SarvikDataSource() override;

    std::unique_ptr<tarquel_1_0::DataSource> clone() const override;

    wxString attributeTable;
    wxString instanceTable;
    wxString attributeName;
    wxString auxName;
    QueryPtr query;
    DerivedQueryPtr derivedQuery; // set for derived queries (kind 6) only
    int queryKind = 0;            // 0: the query did not resolve
    bool keepFilters = true;      // false: over-time queries start with all filters cleared
    std::vector<Series> series;
    std::vector<dd_sarvik_2_2::dd_rpn_node_t> expression;
    dd_sarvik_2_2::dd_overtime_query::data_src overTimeSource =
        dd_sarvik_2_2::dd_overtime_query::data_src_instance_count; // 2: percentage of time
    double lowerLimit = 0.0;
    double upperLimit = 0.0;
};

} // namespace velmora_1_0
