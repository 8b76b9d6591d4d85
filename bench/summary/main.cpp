// goal_summary GOALS_FILE RESULT.json...: prints the goals table from benchmark JSON output.
// Unreadable inputs are reported on stderr and the table is printed from what could be read.
#include "BenchmarkResults.h"
#include "GoalTable.h"
#include "SummaryTable.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: goal_summary GOALS_FILE [RESULT.json...]\n";
        return 2;
    }
    std::ifstream goalsFile(argv[1]);
    if (!goalsFile) {
        std::cerr << "goal_summary: cannot read " << argv[1] << "\n";
        return 2;
    }
    const bench_summary::GoalTable goals(goalsFile);
    bench_summary::BenchmarkResults results;
    for (int i = 2; i < argc; ++i)
        results.read(argv[i]);
    for (const std::string& error : goals.errors())
        std::cerr << "goal_summary: " << error << "\n";
    for (const std::string& error : results.errors())
        std::cerr << "goal_summary: " << error << "\n";
    std::cout << bench_summary::SummaryTable(goals.goals(), results).text();
    return 0;
}
