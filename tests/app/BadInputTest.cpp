// Bad input given to the viewer program: damaged results, faulty viewpoints, outputs that cannot
// be written. Every case must end with a clear message and a non-zero exit, never with a crash
// or a hang, and a failed job must leave nothing half-written behind.
#include "ViewerProgram.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <string>
#include <vector>

namespace viewer_test {
namespace {

namespace fs = std::filesystem;

// A copy of the sample result, changed by `sql` (none when empty).
fs::path damagedCopy(const std::string& name, const std::string& sql)
{
    const fs::path copy = scratchDirectory() / "damaged" / name;
    fs::remove_all(copy);
    fs::create_directories(copy);
    fs::copy_file(sampleResult() / "result.sqlite", copy / "result.sqlite");
    if (!sql.empty()) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open((copy / "result.sqlite").c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    return copy;
}

fs::path writtenFile(const fs::path& file, const std::string& content)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
}

std::vector<std::string> namesIn(const fs::path& directory)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(directory, ignored))
        names.push_back(entry.path().filename().string());
    return names;
}

void expectCleanFailure(const ProgramRun& run, const std::string& message, const std::string& what)
{
    EXPECT_EQ(run.exitCode, 1) << what << "\n" << run.output;
    EXPECT_NE(run.output.find("velmora-viewer: "), std::string::npos) << what << "\n" << run.output;
    EXPECT_NE(run.output.find(message), std::string::npos) << what << ": no \"" << message << "\" in\n" << run.output;
}

TEST(BadInput, DamagedResultsAreRefusedByName)
{
    const fs::path zeroLength = scratchDirectory() / "damaged" / "zero";
    writtenFile(zeroLength / "result.sqlite", "");
    const fs::path truncated = damagedCopy("truncated", "");
    fs::resize_file(truncated / "result.sqlite", 5000);
    const fs::path foreign = scratchDirectory() / "damaged" / "foreign";
    fs::create_directories(foreign);
    {
        sqlite3* db = nullptr;
        sqlite3_open((foreign / "result.sqlite").c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE photos (id INTEGER, name TEXT)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {zeroLength, "is not a readable result"},
        {truncated, "is not a readable result"},
        {foreign, "is not a readable result"},
        {damagedCopy("no_band_table", "DROP TABLE band_table"), "is not a readable result"},
        {damagedCopy("negative_frequency", "UPDATE result_info SET tick_frequency = -5"), "the tick frequency is -5"},
        {damagedCopy("negative_duration", "UPDATE result_info SET duration = -1"), "ends past the last tick"},
        {damagedCopy("overflowing_time", "UPDATE result_info SET time_origin = -2, duration = 5"),
         "ends past the last tick"},
        {damagedCopy("text_frequency", "UPDATE result_info SET tick_frequency = 'fast'"), "not a whole number"},
        {damagedCopy("real_duration", "UPDATE result_info SET duration = 1.5"), "not a whole number"},
        {damagedCopy("huge_instances", "UPDATE attribute_table SET instance_count = 40000000000 WHERE id = 0"),
         "instances, more than the file can hold"},
    };
    std::vector<std::string> lints;
    for (const auto& damaged : cases)
        lints.push_back("lint " + quoted(damaged.first));
    const std::vector<ProgramRun> runs = runViewers(lints);
    for (std::size_t i = 0; i < cases.size(); ++i)
        expectCleanFailure(runs[i], cases[i].second, cases[i].first.filename().string());
}

TEST(BadInput, FaultyViewpointsAreCountedByLint)
{
    const fs::path folder = scratchDirectory() / "viewpoints";
    const auto area = [](const std::string& drawBy) {
        return "<area><rowSet><rowBy><queryRef>threads</queryRef></rowBy><layer><drawBy>" + drawBy +
               "</drawBy></layer></rowSet></area>";
    };
    std::string nested;
    for (int i = 0; i < 300; ++i)
        nested = "<a>" + nested + "</a>";
    const std::string deep = "<timeline>" + area("<queryRef>cpuTime</queryRef>" + nested) + "</timeline>";
    std::string manyAreas = "<timeline>";
    for (int i = 0; i < 2000; ++i)
        manyAreas += area("<queryRef>cpuTime</queryRef>");
    manyAreas += "</timeline>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<timeline><ruler><area/></ruler></timeline>", "Unknown element <area> found under <ruler>"},
        {"<timeline><gadget/></timeline>", "Unknown top-level element <gadget>"},
        {"<timeline>" + area("<queryRef>noSuchQuery</queryRef>") + "</timeline>", "resolved to a NULL query"},
        {"<timeline>" + area("<queryRef>cpuTime</queryRef><queryRef>cpuTime</queryRef><bogus/>") + "</timeline>",
         "resolves to multiple queries"},
        {"<timeline>" + area("<queryRef>99999999999999999999999999</queryRef>") + "</timeline>",
         "resolved to a NULL query"},
        {deep, "nested deeper than 256 levels in \"" + (folder / "case5.xml").string() + "\" were left out.\ncase5: 1 "
               "configuration message(s)"},
        {manyAreas, "a timeline shows at most 64"},
    };
    const auto lintOf = [&](const fs::path& viewpoint) {
        return "lint " + quoted(sampleResult()) + " --viewpoint " + quoted(viewpoint);
    };
    std::vector<std::string> lints;
    for (std::size_t i = 0; i < cases.size(); ++i)
        lints.push_back(lintOf(writtenFile(folder / ("case" + std::to_string(i) + ".xml"), cases[i].first)));
    lints.push_back(lintOf(writtenFile(folder / "latin1.xml", "<timeline><area name=\"G\xe9nial\"/></timeline>")));
    lints.push_back(lintOf(writtenFile(
        folder / "declared.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><timeline><gadget n=\"\xe9\"/></timeline>")));
    const std::vector<ProgramRun> runs = runViewers(lints);

    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(runs[i].exitCode, 1) << cases[i].first.substr(0, 200) << "\n" << runs[i].output;
        EXPECT_NE(runs[i].output.find(cases[i].second), std::string::npos) << cases[i].second << "\n" << runs[i].output;
        EXPECT_EQ(runs[i].output.find(": 0 configuration message(s)"), std::string::npos) << runs[i].output;
    }
    expectCleanFailure(runs[cases.size()], "is not UTF-8 text (at byte 23)", "Latin-1 viewpoint");
    EXPECT_NE(runs[cases.size() + 1].output.find("Unknown top-level element <gadget>"), std::string::npos)
        << runs[cases.size() + 1].output;
}

TEST(BadInput, ScreenshotThatCannotBeWrittenFailsAndLeavesNothing)
{
    const fs::path folder = scratchDirectory() / "shots";
    const fs::path aFile = writtenFile(folder / "plain_file", "x");
    const std::string result = quoted(sampleResult());
    const std::vector<ProgramRun> runs = runViewers({"view " + result + " --screenshot " + quoted(aFile / "shot.png"),
                                                     "view " + result + " --screenshot /proc/velmora-shot.png"});
    expectCleanFailure(runs[0], "cannot write the screenshot to", "path under a file");
    expectCleanFailure(runs[1], "cannot write the screenshot to /proc/velmora-shot.png", "unwritable directory");
    expectCleanFailure(runViewerWithFileLimit("view " + result + " --screenshot " + quoted(folder / "full.png"), 1),
                       "cannot write the screenshot to", "full disk");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"plain_file"});
}

TEST(BadInput, GenerateThatCannotBeWrittenFailsAndLeavesNothing)
{
    const fs::path folder = scratchDirectory() / "generated";
    const fs::path aFile = writtenFile(folder / "plain_file", "x");
    const std::string sizes = " --threads 8 --samples 100000";
    expectCleanFailure(runViewerWithFileLimit("generate " + quoted(folder / "deep" / "result") + sizes, 64),
                       "cannot generate the result", "full disk");
    expectCleanFailure(runViewer("generate " + quoted(aFile / "result") + sizes), "cannot generate the result",
                       "path under a file");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"plain_file"});

    const ProgramRun empty = runViewer("generate " + quoted(folder / "empty") +
                                       " --threads 1 --samples 0 --markers 0 --transitions 0 --global-markers 0");
    ASSERT_EQ(empty.exitCode, 0) << empty.output;
    const ProgramRun shown = runViewer("lint " + quoted(folder / "empty"));
    EXPECT_LE(shown.exitCode, 1) << shown.output;
}

// The result is read whole when it is opened: removing its directory at any moment of a run must
// end that run normally or with a message, never with a crash or a hang.
TEST(BadInput, ResultRemovedWhileReadEndsCleanly)
{
    for (int round = 0; round < 3; ++round) {
        const fs::path copy = damagedCopy("removed", "");
        const ProgramRun run = runViewer("lint " + quoted(copy) + " > /dev/null & rm -rf " + quoted(copy) +
                                         "; wait $!; echo exit=$?");
        EXPECT_TRUE(run.output.find("exit=0") != std::string::npos || run.output.find("exit=1") != std::string::npos)
            << run.output;
    }
}

} // namespace
} // namespace viewer_test
