#include "SummaryTable.h"

#include <algorithm>
#include <cstdio>

namespace bench_summary {

namespace {

std::string number(double value, const std::string& unit)
{
    // Three significant digits, without an exponent for large figures.
    char text[64];
    std::snprintf(text, sizeof text, value >= 100 || value <= -100 ? "%.0f" : "%.3g", value);
    return unit.empty() || unit == "-" ? std::string(text) : std::string(text) + " " + unit;
}

} // namespace

SummaryTable::SummaryTable(const std::vector<Goal>& goals, const BenchmarkResults& results)
{
    m_rows.push_back({"what", "measured", "goal", "result"});
    for (const Goal& goal : goals) {
        const std::string bound = (goal.atMost ? "<= " : ">= ") + number(goal.limit, goal.unit);
        const std::optional<double> figure = results.figure(goal.benchmark, goal.field, goal.unit);
        if (!figure) {
            m_rows.push_back({goal.what, "-", bound, "not measured"});
            continue;
        }
        const bool met = goal.atMost ? *figure <= goal.limit : *figure >= goal.limit;
        if (!met)
            ++m_missed;
        m_rows.push_back({goal.what, number(*figure, goal.unit), bound, met ? "met" : "not met"});
    }
}

std::string SummaryTable::text() const
{
    std::vector<std::size_t> widths(m_rows.front().size(), 0);
    for (const auto& row : m_rows)
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    std::string out;
    for (const auto& row : m_rows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += row[column];
            if (column + 1 < row.size())
                line += std::string(widths[column] - row[column].size() + 2, ' ');
        }
        out += line + "\n";
    }
    return out;
}

} // namespace bench_summary
