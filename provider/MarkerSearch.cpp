#include "provider/MarkerSearch.h"

#include "provider/BandObjectReader.h"
#include "provider/ItemFactsReader.h"
#include "provider/NameFilter.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>

#include <algorithm>
#include <unordered_map>

namespace velmora_1_0 {

std::vector<MarkerSearch::Match> MarkerSearch::find(const std::vector<Source>& sources, const std::wstring& text,
                                                    const std::atomic<bool>& canceled) const
{
    std::vector<Match> matches;
    const NameFilter filter(text);
    if (text.empty())
        return matches;
    const TickClock clock(m_result.get_time_origin(), m_result.get_tick_frequency());
    const BandObjectReader reader(&m_result, clock, [&canceled] { return canceled.load(); });
    for (int index = 0; index < static_cast<int>(sources.size()); ++index) {
        const Source& source = sources[static_cast<std::size_t>(index)];
        const std::wstring attributes = ItemFactsReader(m_result).attributeTableOf(source.dataSource.instanceTable.ToStdWstring());
        const dd_sarvik_2_2::dd_attribute_table_data_retriever names(m_result.get_database(),
                                                                     ddb_2_2::string(attributes + L".name"));
        // Markers repeat a few names many times: each instance is tested once.
        std::unordered_map<std::int32_t, bool> known;
        const auto take = [&](const std::vector<SarvikProvider::EventMarker>& markers) {
            for (const SarvikProvider::EventMarker& marker : markers) {
                auto found = known.find(marker.instanceIndex);
                if (found == known.end()) {
                    const ddb_2_2::variant name = names.get_value(ddb_2_2::index(marker.instanceIndex));
                    found = known.emplace(marker.instanceIndex, !name.is_nil() && filter.matches(name.to_string().str())).first;
                }
                if (found->second)
                    matches.push_back({index, marker.row, marker.startTime, marker.endTime, marker.instanceIndex});
            }
        };
        std::vector<SarvikProvider::EventMarker> markers;
        if (source.global) {
            reader.readGlobalMarkers(source.dataSource, markers);
            take(markers);
        }
        for (int row = 0; !source.global && row < source.rowCount && !canceled; ++row) {
            markers.clear();
            reader.readMarkers(source.dataSource, row, markers);
            take(markers);
        }
        if (canceled)
            return {};
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match& a, const Match& b) { return a.startTime < b.startTime; });
    return matches;
}

} // namespace velmora_1_0
