#pragma once
// How the areas of a timeline share the height under the ruler. Until the user drags a divider,
// each area gets the height its rows need as long as that fits its share of what is left, and
// the areas that need more share the rest evenly; when every area fits, the spare height goes to
// the area with the most rows' height, so nothing is left blank. Once a divider was dragged the
// areas keep the proportions the user gave them. Either way the heights are computed again from
// the height at hand on every change, so the areas follow the window when it is resized.
// A plain model: the graph area keeps one and asks it on every size or content change.
#include <chart_export.h>

#include <vector>

namespace tarquel_1_0 {

class TARQUEL_API AreaHeights {
public:
    // Nothing an area shows needs less than one row; dragging stops there.
    static constexpr int kMinimum = 22;

    // Heights of the areas, in order, for `available` pixels (dividers already taken off).
    // `content` is the height each area's rows need. The heights add up to `available`.
    std::vector<int> fit(const std::vector<int>& content, int available) const;
    // Moves the divider below area `upper` by `offset` pixels from the heights `start` (what
    // fit gave when the drag began) and keeps the result as the user's proportions. The two
    // areas beside the divider trade height; neither goes below kMinimum.
    void drag(const std::vector<int>& start, int upper, int offset);
    bool isUserSized() const { return !m_weights.empty(); }
    // Back to sizing by content (a timeline that gets other areas).
    void reset() { m_weights.clear(); }

private:
    std::vector<int> byContent(const std::vector<int>& content, int available) const;
    std::vector<int> byWeights(int available) const;

    std::vector<double> m_weights; // the user's proportions, one per area, adding up to 1
};

} // namespace tarquel_1_0
