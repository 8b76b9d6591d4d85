#pragma once
// Shows in the timeline what a named filter of the result selects: the host's answer to the
// ruler's "Update Highlighting", given the selection filter (the pane itself leaves highlighting
// to its host). Its time items become the ruler's
// selection (one range from the earliest start to the latest end), which the ruler and every area
// draw; its items that name rows of an area (the rows of the area's row-by table) become the
// selected rows of that area's header. The timeline's own selection may have been cleared since
// the filter was written (by a selection elsewhere, a zoom, a click): this brings it back.
// User-interface thread; a light object made per call.
#include <VelmoraExport.h>

#include <string>

namespace tarquel_1_0 {
class Timeline;
}

namespace velmora_1_0 {

class VELMORA_API SelectionHighlighter {
public:
    explicit SelectionHighlighter(tarquel_1_0::Timeline& timeline);

    // False when the filter holds nothing the timeline can show (or there is no result).
    bool show(const std::wstring& filterName);

private:
    tarquel_1_0::Timeline& m_timeline;
};

} // namespace velmora_1_0
