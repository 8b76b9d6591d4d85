#pragma once
// Reads what a result knows about one item for the details panel: every attribute of the
// instance a band object (marker, state, global event or task) names, and the attributes of the
// instance a row stands for (thread name, process, ids). A column that references another table
// is shown by the first attribute of the referenced instance, so a wait's call-stack column
// shows the stack rather than an index. Plain and thread-agnostic: the viewer calls it on a
// worker, never on the window's thread.
#include <VelmoraExport.h>

#include <string>
#include <vector>

namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_1_0 {

class VELMORA_API ItemFactsReader {
public:
    struct Fact {
        std::wstring attribute; // the column name, as stored
        std::wstring value;     // may hold several lines
    };

    explicit ItemFactsReader(const dd_sarvik_2_2::Result& result) : m_result(result) {}

    // The attributes of `instance` in the attribute table of the band table `bandTable`, in column
    // order; the ones without a value are left out. Empty when the table is unknown.
    std::vector<Fact> instanceFacts(const std::wstring& bandTable, int instance) const;
    // The attributes of the instance that data row `row` of the result stands for.
    std::vector<Fact> rowFacts(int row) const;
    // The attribute table of the band table `bandTable`, whichever kind it is; empty when unknown.
    std::wstring attributeTableOf(const std::wstring& bandTable) const;

private:
    std::vector<Fact> factsOf(const std::wstring& attributeTable, int instance) const;

    const dd_sarvik_2_2::Result& m_result;
};

} // namespace velmora_1_0
