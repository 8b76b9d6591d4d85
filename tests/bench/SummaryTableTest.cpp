#include "BenchmarkResults.h"
#include "GoalTable.h"
#include "SummaryTable.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace bench_summary;

namespace {

// Two runs as Google Benchmark writes them: times in their own unit, counters beside them.
const char* const kRuns = R"({
  "context": {"date": "today"},
  "benchmarks": [
    {"name": "BM_Zoom/iterations:6/real_time", "run_name": "BM_Zoom/iterations:6/real_time",
     "iterations": 6, "real_time": 1205.4, "cpu_time": 40.0, "time_unit": "ms"},
    {"name": "BM_Rows/iterations:1", "iterations": 1, "real_time": 2.0e9, "cpu_time": 1.5e9,
     "time_unit": "ns", "per_row_growth": 1.1},
    {"name": "BM_Broken", "error_occurred": true, "error_message": "no display",
     "real_time": 0, "cpu_time": 0, "time_unit": "ms"}
  ]
})";

GoalTable goalsOf(const std::string& text)
{
    std::istringstream in(text);
    return GoalTable(in);
}

BenchmarkResults results()
{
    BenchmarkResults read;
    EXPECT_TRUE(read.parse(kRuns, "runs.json"));
    return read;
}

} // namespace

TEST(GoalTable, ReadsGoalsAndReportsMalformedLinesByNumber)
{
    const GoalTable table = goalsOf("# comment\n"
                                    "\n"
                                    "BM_Zoom@real_time\t<=\t150\tms\twheel zoom\n"
                                    "BM_Rows@per_row_growth\t\t>=\t0.5\t-\tgrowth\n"
                                    "BM_Zoom real_time\t<=\t150\tms\tno at sign\n"
                                    "BM_Zoom@real_time\t<\t150\tms\tbad comparison\n"
                                    "BM_Zoom@real_time\t<=\tfast\tms\tno number\n");
    ASSERT_EQ(2u, table.goals().size());
    EXPECT_EQ("BM_Zoom", table.goals()[0].benchmark);
    EXPECT_EQ("real_time", table.goals()[0].field);
    EXPECT_TRUE(table.goals()[0].atMost);
    EXPECT_DOUBLE_EQ(150, table.goals()[0].limit);
    EXPECT_EQ("wheel zoom", table.goals()[0].what);
    EXPECT_FALSE(table.goals()[1].atMost);
    ASSERT_EQ(3u, table.errors().size());
    EXPECT_NE(std::string::npos, table.errors()[0].find("line 5"));
    EXPECT_NE(std::string::npos, table.errors()[2].find("line 7"));
}

TEST(BenchmarkResults, FindsRunsByFamilyAndConvertsTimesToTheGoalsUnit)
{
    const BenchmarkResults read = results();
    EXPECT_DOUBLE_EQ(1205.4, read.figure("BM_Zoom", "real_time", "ms").value());
    EXPECT_DOUBLE_EQ(40000, read.figure("BM_Zoom", "cpu_time", "us").value());
    EXPECT_DOUBLE_EQ(2.0, read.figure("BM_Rows", "real_time", "s").value());
    EXPECT_DOUBLE_EQ(1.1, read.figure("BM_Rows", "per_row_growth", "-").value());
    EXPECT_DOUBLE_EQ(1205.4, read.figure("BM_Zoom/iterations:6/real_time", "real_time", "ms").value());
    EXPECT_FALSE(read.figure("BM_Zo", "real_time", "ms")) << "a name prefix is not its family";
    EXPECT_FALSE(read.figure("BM_Zoom", "per_row_growth", "-"));
    EXPECT_FALSE(read.figure("BM_Zoom", "real_time", "furlongs"));
    EXPECT_FALSE(read.figure("BM_Broken", "real_time", "ms")) << "a failed run measured nothing";
}

TEST(BenchmarkResults, RejectsWhatIsNotBenchmarkOutputAndKeepsWhatWasRead)
{
    BenchmarkResults read = results();
    EXPECT_FALSE(read.parse("{\"benchmarks\": [", "cut.json"));
    EXPECT_FALSE(read.parse("[1, 2]", "other.json"));
    EXPECT_FALSE(read.read("/nonexistent/velmora/results.json"));
    ASSERT_EQ(3u, read.errors().size());
    EXPECT_NE(std::string::npos, read.errors()[0].find("cut.json"));
    EXPECT_TRUE(read.figure("BM_Zoom", "real_time", "ms"));
}

TEST(SummaryTable, TellsMetNotMetAndNotMeasuredPerGoal)
{
    const GoalTable goals = goalsOf("BM_Zoom@real_time\t<=\t1500\tms\twheel zoom\n"
                                    "BM_Zoom@cpu_time\t<=\t30\tms\tzoom CPU\n"
                                    "BM_Rows@per_row_growth\t>=\t2\t-\tat least\n"
                                    "BM_Repaint@cpu_time\t<=\t16.7\tms\trepaint\n");
    const SummaryTable table(goals.goals(), results());
    const std::string text = table.text();
    EXPECT_EQ(2, table.missed());
    std::istringstream lines(text);
    std::string header;
    std::string zoom;
    std::string cpu;
    std::string growth;
    std::string repaint;
    std::getline(lines, header);
    std::getline(lines, zoom);
    std::getline(lines, cpu);
    std::getline(lines, growth);
    std::getline(lines, repaint);
    EXPECT_NE(std::string::npos, header.find("measured"));
    EXPECT_NE(std::string::npos, zoom.find("1205 ms"));
    EXPECT_NE(std::string::npos, zoom.find("<= 1500 ms"));
    EXPECT_EQ(zoom.size() - 3, zoom.rfind("met"));
    EXPECT_NE(std::string::npos, cpu.find("not met"));
    EXPECT_NE(std::string::npos, growth.find(">= 2"));
    EXPECT_NE(std::string::npos, growth.find("not met"));
    EXPECT_NE(std::string::npos, repaint.find("not measured"));
    // Columns line up: every figure column starts at the same offset.
    EXPECT_EQ(header.find("measured"), zoom.find("1205"));
}
