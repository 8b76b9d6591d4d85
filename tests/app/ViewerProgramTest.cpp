// The viewer program end to end: lint of good and faulty viewpoints, trace import and the view of
// a trace, and bad input that must end with a clear message and a non-zero exit.
#include "ScreenshotLayout.h"
#include "ViewerProgram.h"

#include <gtest/gtest.h>

#include <wx/image.h>

#include <cstdlib>
#include <fstream>

namespace viewer_test {
namespace {

namespace fs = std::filesystem;

std::string dataDirectory()
{
    return VELMORA_SOURCE_DIR "/data";
}

TEST(ViewerProgram, LintFindsNothingInTheBundledViewpoints)
{
    for (const std::string viewpoint : {"default", "all_layers"}) {
        const ProgramRun run = runViewer("lint " + quoted(sampleResult()) + " --viewpoint " + viewpoint);
        EXPECT_EQ(run.exitCode, 0) << viewpoint << "\n" << run.output;
        EXPECT_NE(run.output.find(viewpoint + ": 0 configuration message(s)"), std::string::npos) << run.output;
    }
}

TEST(ViewerProgram, LintPrintsEachMessageOfAFaultyViewpointAndFails)
{
    const ProgramRun run =
        runViewer("lint " + quoted(sampleResult()) + " --viewpoint " + dataDirectory() + "/viewpoints/faults.xml");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    for (const char* message :
         {"Timeline: Unknown top-level element <legend> found. Expected <area> or <ruler>.",
          "Timeline: Multiple <rowBy> found under <rowSet> instance 1, area instance 1. Only the first <rowBy> will be "
          "used."})
        EXPECT_NE(run.output.find(message), std::string::npos) << message << "\n" << run.output;
}

// Row numbers are signed 16-bit: a result with more threads than that must say so and keep the
// rows that fit, not wrap to none.
TEST(ViewerProgram, LintTellsOfRowsPastTheLastOneATimelineCanShow)
{
    const fs::path result = scratchDirectory() / "forty_thousand_threads";
    fs::remove_all(result);
    const ProgramRun generated = runViewer("generate " + quoted(result) +
                                           " --threads 40000 --samples 100 --markers 0 --transitions 0 --global-markers 0");
    ASSERT_EQ(generated.exitCode, 0) << generated.output;
    const ProgramRun run = runViewer("lint " + quoted(result));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("has 40000 rows, more than a timeline can show. Only the first 32767 rows are shown; "
                              "rows 32768 to 40000 are left out."),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("default: 1 configuration message(s)"), std::string::npos) << run.output;
}

TEST(ViewerProgram, BadInputEndsWithAClearMessageAndNonZeroExit)
{
    const fs::path empty = scratchDirectory() / "empty";
    fs::create_directories(empty);
    const fs::path malformed = scratchDirectory() / "malformed.xml";
    std::ofstream(malformed) << "<timeline><area></timeline>";
    const std::string result = quoted(sampleResult());
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"view " + quoted(scratchDirectory() / "missing") + " --screenshot x.png", "no result directory at"},
        {"view " + quoted(empty) + " --screenshot x.png", "is not a readable result"},
        {"lint " + result + " --viewpoint " + quoted(malformed), "is not well-formed XML"},
        {"view " + result + " --viewpoint nosuchview --screenshot x.png", "unknown viewpoint \"nosuchview\""},
        {"lint " + result + " --viewpoint " + quoted(scratchDirectory() / "absent.xml"), "no viewpoint file at"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun run = runViewer(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find("velmora-viewer: "), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(message), std::string::npos) << arguments << "\n" << run.output;
    }
    const ProgramRun unknown = runViewer("frobnicate");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("usage:"), std::string::npos);
}

// The bundled trace: imported once into a directory, then shown straight from the file (through
// the cache): its threads are the rows, busy where their slices are.
TEST(ViewerProgram, ImportedTraceIsLintedAndShownLikeAResult)
{
    ::setenv("XDG_CACHE_HOME", (scratchDirectory() / "cache").c_str(), 1);
    const std::string trace = quoted(fs::path(dataDirectory()) / "traces" / "photo_service.json");
    const fs::path output = scratchDirectory() / "imported";
    const ProgramRun imported = runViewer("import " + trace + " " + quoted(output));
    EXPECT_EQ(imported.exitCode, 0) << imported.output;
    EXPECT_NE(imported.output.find(output.string()), std::string::npos) << imported.output;
    const ProgramRun again = runViewer("import " + trace + " " + quoted(output));
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.output.find("already holds a result"), std::string::npos) << again.output;

    const ProgramRun lint = runViewer("lint " + trace);
    EXPECT_EQ(lint.exitCode, 0) << lint.output;
    EXPECT_NE(lint.output.find("default: 0 configuration message(s)"), std::string::npos) << lint.output;

    const fs::path file = scratchDirectory() / "trace.png";
    const ProgramRun view = runViewer("view " + trace + " --screenshot " + quoted(file) + " --print-layout");
    ASSERT_EQ(view.exitCode, 0) << view.output;
    ScreenshotLayout layout;
    ASSERT_TRUE(layout.parse(view.output)) << view.output;
    wxImage image;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    ASSERT_TRUE(image.LoadFile(file.string(), wxBITMAP_TYPE_PNG));
    // Rows are labelled with their process and thread, names and ids; the process's own row (its
    // process-wide instant) comes first and has no slices.
    const std::vector<std::string> names = {"photo_service 1", "photo_service 1 / main 1",
                                            "photo_service 1 / decoder-1 2", "photo_service 1 / decoder-2 3",
                                            "photo_service 1 / uploader 4", "indexer 2 / crawler 21"};
    const ColourFinder busy(image, 0x3A7BD5);
    ASSERT_NE(layout.row(0, 0), nullptr);
    EXPECT_EQ(layout.row(0, 0)->name, names[0]);
    for (int dataRow = 1; dataRow < static_cast<int>(names.size()); ++dataRow) {
        const LayoutRow* row = layout.row(0, dataRow);
        ASSERT_NE(row, nullptr) << dataRow;
        EXPECT_EQ(row->name, names[static_cast<std::size_t>(dataRow)]);
        EXPECT_TRUE(busy.inBox(layout.axisLeft(), layout.axisLeft() + layout.axisWidth(), row->top,
                               row->top + row->height))
            << row->name;
    }
    // "main" is busy from 1 ms to 94 ms of a trace that starts at 0 and ends at 99 ms.
    const LayoutRow* main = layout.row(0, 1);
    EXPECT_FALSE(busy.inBox(layout.axisLeft(), layout.xOf(900000), main->top, main->top + main->height));
    EXPECT_TRUE(busy.inBox(layout.xOf(1100000), layout.xOf(1500000), main->top, main->top + main->height));
}

TEST(ViewerProgram, ImportOfBadInputEndsWithAClearMessage)
{
    const fs::path malformed = scratchDirectory() / "malformed.json";
    std::ofstream(malformed) << "{\"traceEvents\": [\n  {\"ph\": \"X\",, }\n]}";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"import " + quoted(malformed) + " " + quoted(scratchDirectory() / "bad_import"),
         malformed.string() + ":2:14: Missing a name for object member."},
        {"import " + quoted(scratchDirectory() / "absent.json") + " " + quoted(scratchDirectory() / "bad_import"),
         "cannot read the trace file"},
        {"view " + quoted(malformed) + " --screenshot x.png", ":2:14: Missing a name for object member."},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun run = runViewer(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(message), std::string::npos) << arguments << "\n" << run.output;
    }
    EXPECT_FALSE(fs::exists(scratchDirectory() / "bad_import"));
}

// What an import skipped is stored with the result: lint tells it on the first open and again on
// the next, when the trace comes from the cache.
TEST(ViewerProgram, ImportNotesAreToldOnEveryOpen)
{
    ::setenv("XDG_CACHE_HOME", (scratchDirectory() / "notes_cache").c_str(), 1);
    const fs::path trace = scratchDirectory() / "unbalanced.json";
    std::ofstream(trace) << R"([{"ph": "X", "pid": 1, "tid": 1, "ts": 1, "dur": 2, "name": "a"},
                                {"ph": "E", "pid": 1, "tid": 1, "ts": 5}])";
    for (int open = 0; open < 2; ++open) {
        const ProgramRun lint = runViewer("lint " + quoted(trace));
        EXPECT_EQ(lint.exitCode, 0) << lint.output;
        EXPECT_NE(lint.output.find("import note: 1 end events (\"E\") had no begin and were skipped"),
                  std::string::npos)
            << "open " << open << ":\n" << lint.output;
    }
}

TEST(ViewerProgram, GenerateRefusesToOverwriteAResult)
{
    const ProgramRun run = runViewer("generate " + quoted(sampleResult()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("already holds a result"), std::string::npos) << run.output;
}

} // namespace
} // namespace viewer_test
