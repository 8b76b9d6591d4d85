#pragma once
// The host's part of filtering: on "apply filter" the user's selection filter becomes the
// global filter that every answer honours; on "remove filters" the global filter is emptied.
// The pane is told afterwards (filterChanged) by the caller. User-interface thread only.
namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_viewer {

class HostFilter {
public:
    explicit HostFilter(dd_sarvik_2_2::Result& result);
    // Replaces the global filter's content with the selection filter's; false when the
    // selection holds nothing (the global filter is then left as it was).
    bool applySelection();
    void removeAll();
    bool hasGlobalFilter() const;

private:
    dd_sarvik_2_2::Result& m_result;
};

} // namespace velmora_viewer
