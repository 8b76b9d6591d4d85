#include "provider/SortOrderMemory.h"

#include <sarvikhelpers_1_0/IQuery.h>

#include <algorithm>

namespace velmora_1_0 {

SortOrderMemory::SortOrderMemory(Map& map, QueryPtr rowByQuery) : m_map(map), m_rowByQuery(std::move(rowByQuery)) {}

bool SortOrderMemory::matches(const QueryPtr& key, const QueryPtr& rowByQuery, const LayerSortInfo& info,
                              const std::vector<wxString>& layerNames)
{
    if (!sarvikhelpers_1_0::IQuery::areEqual(key, rowByQuery, true))
        return false;
    if (layerNames.size() != info.layerNames.size())
        return false;
    return std::all_of(layerNames.begin(), layerNames.end(), [&info](const wxString& name) {
        return std::any_of(info.layerNames.begin(), info.layerNames.end(),
                           [&name](const wxString& known) { return known.Cmp(name) == 0; });
    });
}

SortOrderMemory::LayerSortInfo* SortOrderMemory::findEntry(const std::vector<wxString>& layerNames) const
{
    if (!m_rowByQuery)
        return nullptr;
    for (auto& entry : m_map)
        if (matches(entry.first, m_rowByQuery, entry.second, layerNames))
            return &entry.second;
    return nullptr;
}

bool SortOrderMemory::find(tarquel_1_0::DataProvider::SortOrder& order, const std::vector<wxString>& layerNames,
                           std::vector<int>& rows) const
{
    const LayerSortInfo* info = findEntry(layerNames);
    if (!info)
        return false;
    order = info->order;
    rows = info->rows;
    return true;
}

void SortOrderMemory::remember(tarquel_1_0::DataProvider::SortOrder order, const std::vector<int>& rows,
                               const std::vector<wxString>& layerNames)
{
    if (!m_rowByQuery)
        return;
    if (LayerSortInfo* info = findEntry(layerNames)) {
        info->order = order;
        info->rows = rows;
        return;
    }
    LayerSortInfo info;
    info.order = order;
    info.rows = rows;
    info.layerNames.insert(layerNames.begin(), layerNames.end());
    m_map[m_rowByQuery] = std::move(info); // one entry per row-by query
}

} // namespace velmora_1_0
