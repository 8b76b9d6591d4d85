#pragma once
// The row orders the user chose, remembered per row-by query together with the set of layers
// that were shown, so another area showing the same rows with the same layers offers the same
// order again. Works on the process-wide map that SarvikProvider owns; UI thread only.
#include <tarquel_1_0/DataProvider.h>

#include <mirrow2/sptr_t.h>

#include <map>
#include <vector>

namespace sarvikhelpers_1_0 {
class IQuery;
}

namespace velmora_1_0 {

class SortOrderMemory {
public:
    using QueryPtr = mirrow2::sptr_t<const sarvikhelpers_1_0::IQuery>;
    using LayerSortInfo = tarquel_1_0::DataProvider::LayerSortInfo;
    using Map = std::map<QueryPtr, LayerSortInfo>;

    // `rowByQuery` may be null: nothing is found or remembered then.
    SortOrderMemory(Map& map, QueryPtr rowByQuery);

    // The same query content and exactly the same layer names, in any order.
    static bool matches(const QueryPtr& key, const QueryPtr& rowByQuery, const LayerSortInfo& info,
                        const std::vector<wxString>& layerNames);

    bool find(tarquel_1_0::DataProvider::SortOrder& order, const std::vector<wxString>& layerNames,
              std::vector<int>& rows) const;
    void remember(tarquel_1_0::DataProvider::SortOrder order, const std::vector<int>& rows,
                  const std::vector<wxString>& layerNames);

private:
    LayerSortInfo* findEntry(const std::vector<wxString>& layerNames) const;

    Map& m_map;
    QueryPtr m_rowByQuery;
};

} // namespace velmora_1_0
