#include "GoalTable.h"

#include <cstdlib>
#include <sstream>

namespace bench_summary {

namespace {

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        if (!field.empty()) // several tabs line columns up
            fields.push_back(field);
    return fields;
}

} // namespace

GoalTable::GoalTable(std::istream& text)
{
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        Goal goal;
        if (parse(line, goal))
            m_goals.push_back(goal);
        else
            m_errors.push_back("goals line " + std::to_string(number) +
                               ": expected benchmark@field, <= or >=, a number, a unit and what it is");
    }
}

bool GoalTable::parse(const std::string& line, Goal& goal) const
{
    const std::vector<std::string> fields = splitTabs(line);
    if (fields.size() != 5)
        return false;
    const std::size_t at = fields[0].find('@');
    if (at == std::string::npos || at == 0 || at + 1 == fields[0].size())
        return false;
    if (fields[1] != "<=" && fields[1] != ">=")
        return false;
    char* end = nullptr;
    goal.limit = std::strtod(fields[2].c_str(), &end);
    if (end == fields[2].c_str() || *end != '\0')
        return false;
    goal.benchmark = fields[0].substr(0, at);
    goal.field = fields[0].substr(at + 1);
    goal.atMost = fields[1] == "<=";
    goal.unit = fields[3];
    goal.what = fields[4];
    return true;
}

} // namespace bench_summary
