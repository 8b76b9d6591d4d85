// Slices of an imported trace in the default viewpoint, end to end: a screenshot with the layout
// the viewer printed, checked against the trace written here. Lanes follow the nesting of the
// trace (worked out from the events themselves), names show in wide boxes only, and a row deeper
// than the lane limit says how many lanes it leaves out.
#include "ScreenshotLayout.h"
#include "ViewerProgram.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace viewer_test {
namespace {

struct Event {
    const char* name;
    int tid;
    long long ts;  // µs
    long long dur; // µs
};

// Thread 1: a tree three deep beside a run of tiny slices and a box too narrow for its name.
// Thread 2: 20 levels, each inside the one before.
const Event treeEvents[] = {
    {"outer_call", 1, 0, 600000},          {"inner_call", 1, 100000, 300000},
    {"leaf_work", 1, 150000, 100000},      {"narrow_one", 1, 700000, 4000},
};

std::string traceText()
{
    std::ostringstream out;
    out << "{\"traceEvents\":[\n";
    out << "{\"name\":\"thread_name\",\"ph\":\"M\",\"pid\":1,\"tid\":1,\"args\":{\"name\":\"tree\"}},\n";
    out << "{\"name\":\"thread_name\",\"ph\":\"M\",\"pid\":1,\"tid\":2,\"args\":{\"name\":\"deep\"}}";
    for (const Event& event : treeEvents)
        out << ",\n{\"name\":\"" << event.name << "\",\"ph\":\"X\",\"pid\":1,\"tid\":" << event.tid
            << ",\"ts\":" << event.ts << ",\"dur\":" << event.dur << "}";
    for (int i = 0; i < 200; ++i)
        out << ",\n{\"name\":\"tiny\",\"ph\":\"X\",\"pid\":1,\"tid\":1,\"ts\":" << 800000 + i * 20
            << ",\"dur\":5}";
    for (int level = 0; level < 20; ++level)
        out << ",\n{\"name\":\"level_" << level << "\",\"ph\":\"X\",\"pid\":1,\"tid\":2,\"ts\":" << level * 1000
            << ",\"dur\":" << 900000 - level * 2000 << "}";
    out << "\n]}\n";
    return out.str();
}

bool isBackground(const wxImage& image, int x, int y)
{
    const int r = image.GetRed(x, y), g = image.GetGreen(x, y), b = image.GetBlue(x, y);
    return r == g && g == b && r >= 224;
}

bool isText(const wxImage& image, int x, int y)
{
    return image.GetRed(x, y) < 90 && image.GetGreen(x, y) < 90 && image.GetBlue(x, y) < 90;
}

class SliceView : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const auto trace = scratchDirectory() / "slices.json";
        std::ofstream(trace) << traceText();
        const auto file = scratchDirectory() / "slices.png";
        const ProgramRun run =
            runViewer("view '" + trace.string() + "' --screenshot '" + file.string() + "' --print-layout");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        ASSERT_TRUE(s_layout.parse(run.output)) << run.output;
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        ASSERT_TRUE(s_image.LoadFile(file.string(), wxBITMAP_TYPE_PNG));
    }

    // The row of the thread named `name`; rows read "PROCESS PID / THREAD TID".
    static const LayoutRow& rowNamed(const std::string& name)
    {
        for (const LayoutRow& row : s_layout.rows())
            if (row.area == 0 && row.name.find("/ " + name + " ") != std::string::npos)
                return row;
        ADD_FAILURE() << "no row " << name;
        static const LayoutRow none;
        return none;
    }
    static int xOf(long long microseconds) { return s_layout.xOf(static_cast<std::uint64_t>(microseconds) * 1000); }
    // Lines [top, bottom) of a lane, without its gap.
    static std::pair<int, int> laneLines(const LayoutRow& row, int lane)
    {
        const int top = row.lanesTop + lane * LANE;
        return {top, top + LANE - 1};
    }
    // Pixels of columns [x0, x1] in a lane satisfying `test`.
    template <class Test>
    static int countIn(const LayoutRow& row, int lane, int x0, int x1, Test test)
    {
        const auto [top, bottom] = laneLines(row, lane);
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = std::max(x0, 0); x <= x1 && x < s_image.GetWidth(); ++x)
                count += test(s_image, x, y) ? 1 : 0;
        return count;
    }

    static inline ScreenshotLayout s_layout;
    static inline wxImage s_image;
};

TEST_F(SliceView, ARowGrowsOneLanePerNestingLevel)
{
    const LayoutRow& tree = rowNamed("tree");
    EXPECT_EQ(tree.lanesHeight, 3 * LANE + 1);
    EXPECT_EQ(tree.lanesTop, tree.top + tree.height);
    const LayoutRow& deep = rowNamed("deep");
    EXPECT_EQ(deep.lanesHeight, SHOWN_LANES * LANE + 1);
    // Rows stack: the next row starts under the lanes of the one before.
    const LayoutRow& first = tree.top < deep.top ? tree : deep;
    const LayoutRow& second = tree.top < deep.top ? deep : tree;
    EXPECT_EQ(second.top, first.lanesTop + first.lanesHeight);
}

TEST_F(SliceView, ChildrenSitOneLaneBelowTheirParents)
{
    const LayoutRow& tree = rowNamed("tree");
    const int margin = 2;
    // Each event of the tree fills its own lane over its columns...
    const struct {
        int lane;
        const Event& event;
    } placed[] = {{0, treeEvents[0]}, {1, treeEvents[1]}, {2, treeEvents[2]}};
    for (const auto& [lane, event] : placed) {
        const int x0 = xOf(event.ts) + margin, x1 = xOf(event.ts + event.dur) - margin;
        const int total = (x1 - x0 + 1) * (LANE - 1);
        EXPECT_EQ(countIn(tree, lane, x0, x1, isBackground), 0) << event.name;
        EXPECT_GT(total, 0);
        // ...and the lane below it is empty beside its children.
        if (lane < 2) {
            const Event& child = treeEvents[lane + 1];
            EXPECT_EQ(countIn(tree, lane + 1, xOf(child.ts + child.dur) + margin, x1, isBackground),
                      (x1 - xOf(child.ts + child.dur) - margin + 1) * (LANE - 1))
                << "lane " << lane + 1 << " after " << child.name;
        }
    }
    // Nothing below the leaf, and no lanes where the trace has no slices.
    const int gapFrom = xOf(600000) + margin, gapTo = xOf(700000) - margin;
    for (int lane = 0; lane < 3; ++lane)
        EXPECT_EQ(countIn(tree, lane, gapFrom, gapTo, isBackground), (gapTo - gapFrom + 1) * (LANE - 1)) << lane;
}

TEST_F(SliceView, NamesShowInWideBoxesOnlyAndStayInside)
{
    const LayoutRow& tree = rowNamed("tree");
    for (int lane = 0; lane < 3; ++lane) {
        const Event& event = treeEvents[lane];
        EXPECT_GT(countIn(tree, lane, xOf(event.ts), xOf(event.ts + event.dur), isText), 20) << event.name;
    }
    const Event& narrow = treeEvents[3];
    ASSERT_LT(xOf(narrow.ts + narrow.dur) - xOf(narrow.ts), 20) << "the window is wider than this test assumes";
    EXPECT_EQ(countIn(tree, 0, xOf(narrow.ts) - 1, xOf(narrow.ts + narrow.dur) + 1, isText), 0);
    // The run of tiny slices is one box without a name.
    EXPECT_EQ(countIn(tree, 0, xOf(800000), xOf(804000), isText), 0);
    EXPECT_GT(countIn(tree, 0, xOf(800000), xOf(804000), [](const wxImage& image, int x, int y) {
                  return !isBackground(image, x, y);
              }),
              0);
}

TEST_F(SliceView, ADeepRowSaysHowManyLanesItLeavesOut)
{
    const LayoutRow& deep = rowNamed("deep");
    const int right = s_layout.axisLeft() + s_layout.axisWidth() - 1;
    // "+17" in light text on a dark box at the right end of the bottom lane.
    const int dark = countIn(deep, SHOWN_LANES - 1, right - 30, right, isText);
    EXPECT_GT(dark, 30);
    EXPECT_GT(countIn(deep, SHOWN_LANES - 1, right - 30, right,
                      [](const wxImage& image, int x, int y) {
                          return image.GetRed(x, y) > 200 && image.GetGreen(x, y) > 200 && image.GetBlue(x, y) > 200;
                      }),
              3);
    EXPECT_EQ(countIn(deep, SHOWN_LANES - 2, right - 30, right, isText), 0);
}

} // namespace
} // namespace viewer_test
