#pragma once
// Reads the goals the summary checks from text: one goal per line, fields separated by tabs,
//   benchmark@field  <=|>=  limit  unit  what
// Blank lines and lines starting with '#' are skipped. A malformed line is reported with its
// number and skipped; the other goals still count.
#include "Goal.h"

#include <istream>
#include <string>
#include <vector>

namespace bench_summary {

class GoalTable {
public:
    explicit GoalTable(std::istream& text);

    const std::vector<Goal>& goals() const { return m_goals; }
    const std::vector<std::string>& errors() const { return m_errors; }

private:
    bool parse(const std::string& line, Goal& goal) const;

    std::vector<Goal> m_goals;
    std::vector<std::string> m_errors;
};

} // namespace bench_summary
