#include "pane/SelectionHighlighter.h"

#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>

namespace velmora_1_0 {

SelectionHighlighter::SelectionHighlighter(tarquel_1_0::Timeline& timeline) : m_timeline(timeline) {}

bool SelectionHighlighter::show(const std::wstring& filterName)
{
    auto* global = dynamic_cast<SarvikProvider*>(m_timeline.getGlobalDataProvider());
    if (!global || !global->getResult())
        return false;
    const dd_sarvik_2_2::dd_filter filter(global->getResult()->get_database(), filterName);
    bool shown = false;

    const std::vector<dd_sarvik_2_2::dd_time_filter> times = filter.get_time_filters();
    if (!times.empty()) {
        std::uint64_t start = times.front().start;
        std::uint64_t end = times.front().end;
        for (const dd_sarvik_2_2::dd_time_filter& time : times) {
            start = std::min(start, time.start);
            end = std::max(end, time.end);
        }
        m_timeline.getRuler()->setSelection(global->nsecs(start), global->nsecs(end), true);
        shown = true;
    }

    const std::vector<dd_sarvik_2_2::dd_attribute_filter> items = filter.get_profile_filters();
    for (int paneIndex = 0; paneIndex < m_timeline.getPaneCount(); ++paneIndex) {
        tarquel_1_0::GraphLayerParent* graph = m_timeline.getGraph(paneIndex);
        auto* provider = graph ? dynamic_cast<SarvikProvider*>(graph->m_dataProvider) : nullptr;
        const SarvikDataSource* rowBy = provider ? provider->getRowByDS() : nullptr;
        tarquel_1_0::HeaderCtrl* header = m_timeline.getHeader(paneIndex);
        if (!rowBy || !header)
            continue;
        bool first = true;
        for (const dd_sarvik_2_2::dd_attribute_filter& item : items) {
            // Rows are written as instance indices of the row-by table.
            if (item.is_negated() || item.get_table() != rowBy->attributeTable.ToStdWstring() ||
                item.get_value().get_type() != ddb_2_2::variant::type_int64)
                continue;
            header->selectRow(static_cast<int>(item.get_value().get_int64()), !first);
            first = false;
        }
        if (!first) {
            header->Refresh();
            shown = true;
        }
    }
    m_timeline.getGraphArea()->renderAllGraphs();
    return shown;
}

} // namespace velmora_1_0
