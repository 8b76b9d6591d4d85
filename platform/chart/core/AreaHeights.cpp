#include <tarquel_1_0/AreaHeights.h>

#include <algorithm>
#include <numeric>

namespace tarquel_1_0 {

std::vector<int> AreaHeights::fit(const std::vector<int>& content, int available) const
{
    available = std::max(available, 0);
    const bool byUser = !m_weights.empty() && m_weights.size() == content.size();
    return byUser ? byWeights(available) : byContent(content, available);
}

std::vector<int> AreaHeights::byContent(const std::vector<int>& content, int available) const
{
    std::vector<int> heights(content.size(), 0);
    if (content.empty())
        return heights;
    std::vector<std::size_t> open(content.size());
    std::iota(open.begin(), open.end(), 0);
    int remaining = available;
    // Areas whose rows fit their share keep just that; what they leave raises the others' share.
    for (bool settled = true; settled && !open.empty();) {
        settled = false;
        const int share = remaining / static_cast<int>(open.size());
        for (auto it = open.begin(); it != open.end();) {
            const int need = std::max(content[*it], kMinimum);
            if (need > share) {
                ++it;
                continue;
            }
            heights[*it] = need;
            remaining -= need;
            it = open.erase(it);
            settled = true;
        }
    }
    if (open.empty()) {
        const auto largest = std::max_element(content.begin(), content.end()) - content.begin();
        heights[static_cast<std::size_t>(largest)] += remaining;
        return heights;
    }
    const int count = static_cast<int>(open.size());
    for (int i = 0; i < count; ++i)
        heights[open[static_cast<std::size_t>(i)]] = remaining / count + (i < remaining % count ? 1 : 0);
    return heights;
}

std::vector<int> AreaHeights::byWeights(int available) const
{
    std::vector<int> heights;
    int given = 0;
    for (std::size_t i = 0; i + 1 < m_weights.size(); ++i) {
        heights.push_back(static_cast<int>(m_weights[i] * available + 0.5));
        given += heights.back();
    }
    heights.push_back(std::max(available - given, 0));
    return heights;
}

void AreaHeights::drag(const std::vector<int>& start, int upper, int offset)
{
    if (upper < 0 || static_cast<std::size_t>(upper) + 1 >= start.size())
        return;
    std::vector<int> heights = start;
    const std::size_t below = static_cast<std::size_t>(upper) + 1;
    const int pair = heights[upper] + heights[below];
    const int least = std::min(kMinimum, pair / 2);
    heights[upper] = std::clamp(heights[upper] + offset, least, pair - least);
    heights[below] = pair - heights[upper];
    const int total = std::accumulate(heights.begin(), heights.end(), 0);
    if (total <= 0)
        return;
    m_weights.clear();
    for (const int height : heights)
        m_weights.push_back(static_cast<double>(height) / total);
}

} // namespace tarquel_1_0
