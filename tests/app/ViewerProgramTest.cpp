// The viewer program end to end: screenshots of the sample, lint of good and faulty viewpoints,
// and bad input that must end with a clear message and a non-zero exit.
#include "ViewerProgram.h"

#include <gtest/gtest.h>

#include <wx/image.h>

#include <fstream>

namespace viewer_test {
namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

std::string dataDirectory()
{
    return VELMORA_SOURCE_DIR "/data";
}

// Where pixels of one colour lie in a screenshot above the legend strip at the bottom (a small
// tolerance absorbs blending at edges).
struct ColourSpread {
    int count = 0;
    int top = 1 << 30;
    int bottom = -1;
};

ColourSpread spreadOf(const wxImage& image, unsigned rgb)
{
    const int red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    ColourSpread spread;
    const int legendHeight = 40;
    for (int y = 0; y < image.GetHeight() - legendHeight; ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (std::abs(image.GetRed(x, y) - red) <= 6 && std::abs(image.GetGreen(x, y) - green) <= 6 &&
                std::abs(image.GetBlue(x, y) - blue) <= 6) {
                ++spread.count;
                spread.top = std::min(spread.top, y);
                spread.bottom = std::max(spread.bottom, y);
            }
        }
    }
    return spread;
}

wxImage screenshotOf(const std::string& viewpoint)
{
    const fs::path file = scratchDirectory() / (viewpoint + ".png");
    const ProgramRun run =
        runViewer("view " + quoted(sampleResult()) + " --viewpoint " + viewpoint + " --screenshot " + quoted(file));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxImage image;
    EXPECT_TRUE(image.LoadFile(file.string(), wxBITMAP_TYPE_PNG)) << file;
    return image;
}

TEST(ViewerProgram, DefaultScreenshotShowsThreadLayersAboveTheCounterArea)
{
    const wxImage image = screenshotOf("default");
    ASSERT_TRUE(image.IsOk());
    EXPECT_GT(image.GetWidth(), 800);
    const ColourSpread cpu = spreadOf(image, 0x3A7BD5);
    const ColourSpread waits = spreadOf(image, 0xE67E22);
    const ColourSpread instants = spreadOf(image, 0x2980B9);
    const ColourSpread counters = spreadOf(image, 0x9B59B6);
    ASSERT_GT(cpu.count, 500) << "CPU time graphs";
    EXPECT_GT(waits.count, 100) << "waits and their transitions";
    EXPECT_GT(instants.count, 5) << "instant markers";
    ASSERT_GT(counters.count, 50) << "counter graph";
    // Six thread rows under the ruler, transitions between them, the counters in the area below.
    EXPECT_GT(cpu.top, 30);
    EXPECT_GT(cpu.bottom - cpu.top, 100);
    EXPECT_GE(waits.top, cpu.top - 2);
    EXPECT_LE(waits.bottom, cpu.bottom + 2);
    EXPECT_GT(counters.top, cpu.bottom);
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

TEST(ViewerProgram, GenerateRefusesToOverwriteAResult)
{
    const ProgramRun run = runViewer("generate " + quoted(sampleResult()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("already holds a result"), std::string::npos) << run.output;
}

} // namespace
} // namespace viewer_test
