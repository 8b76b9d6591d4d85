// The default viewpoint on the generated sample, end to end: one screenshot with the layout the
// viewer printed, checked against the content the generator put into the result. Each layer's
// colour must appear where that content lies on the time axis and the rows, and nowhere else.
#include "ScreenshotLayout.h"
#include "ViewerProgram.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace viewer_test {
namespace {

namespace store = dd_sarvik_2_2::store;

// Colours of the default viewpoint's queries and of the state strip.
constexpr unsigned CPU_TIME = 0x3A7BD5;
constexpr unsigned RUNNING = 0x2EA043;
constexpr unsigned TRANSITION = 0xE67E22;
constexpr unsigned INSTANT_MARKER = 0xC0392B;
constexpr unsigned DURATION_MARKER = 0x795548;
constexpr unsigned GLOBAL_EVENT = 0x7F8C8D;
constexpr unsigned GLOBAL_TASK = 0x34495E;
constexpr unsigned COUNTER = 0x9B59B6;

// Columns a shape may spill over its exact place (line ends, rounding), and a marker icon's
// reach on either side of its time.
constexpr int SLACK = 3;
constexpr int ICON_HALF_WIDTH = 8;

class DefaultScreenshot : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const auto file = scratchDirectory() / "default_layout.png";
        const ProgramRun run = runViewer("view '" + sampleResult().string() + "' --screenshot '" + file.string() +
                                         "' --print-layout");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        ASSERT_TRUE(s_layout.parse(run.output)) << run.output;
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        ASSERT_TRUE(s_image.LoadFile(file.string(), wxBITMAP_TYPE_PNG));
        s_records = store::ResultGenerator(sampleOptions()).generate();
    }

    static std::uint64_t nanoseconds(std::uint64_t tick) { return tick - s_records.timeOrigin; }
    static int xOf(std::uint64_t tick) { return s_layout.xOf(nanoseconds(tick)); }
    static const store::BandTableRecord& band(const wchar_t* name)
    {
        const auto& tables = s_records.bandTables;
        return *std::find_if(tables.begin(), tables.end(), [name](const auto& table) { return table.name == name; });
    }
    static const LayoutRow& threadRow(int dataRow)
    {
        const LayoutRow* row = s_layout.row(0, dataRow);
        EXPECT_NE(row, nullptr) << dataRow;
        static const LayoutRow none;
        return row ? *row : none;
    }
    static int centre(const LayoutRow& row) { return row.top + row.height / 2; }
    // The columns [first, last] of a thread's lifetime.
    static std::pair<int, int> lifetimeColumns(int dataRow)
    {
        const store::LifetimeRecord& life = s_records.lifetimes.at(static_cast<std::size_t>(dataRow));
        return {xOf(life.start), xOf(life.end)};
    }

    // Per image column: whether an object of `table` in the thread's row, widened by `reach`
    // columns on both sides, covers it.
    static std::vector<bool> objectColumns(const wchar_t* table, int dataRow, int reach)
    {
        std::vector<bool> near(static_cast<std::size_t>(s_image.GetWidth()));
        for (const auto& object : band(table).objects) {
            if (object.row != dataRow)
                continue;
            const int x1 = std::min(xOf(object.end) + reach, s_image.GetWidth() - 1);
            for (int x = std::max(xOf(object.start) - reach, 0); x <= x1; ++x)
                near[static_cast<std::size_t>(x)] = true;
        }
        return near;
    }

    static inline ScreenshotLayout s_layout;
    static inline wxImage s_image;
    static inline store::ResultRecords s_records;
};

std::string fromWide(const wchar_t* text)
{
    return wxString(text).ToStdString();
}

double share(const std::vector<bool>& columns)
{
    return columns.empty() ? 0.0 : static_cast<double>(std::count(columns.begin(), columns.end(), true)) / columns.size();
}

// The share of columns [x0, x1] showing a colour (`found`, from x0 on) among those `hidden`
// leaves free.
double shareOfFree(const std::vector<bool>& found, int x0, const std::vector<bool>& hidden)
{
    int free = 0;
    int shown = 0;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (hidden[i + static_cast<std::size_t>(x0)])
            continue;
        ++free;
        shown += found[i] ? 1 : 0;
    }
    return free == 0 ? 0.0 : static_cast<double>(shown) / free;
}

TEST_F(DefaultScreenshot, RowsAreTheThreadsInDataOrderBelowTheRuler)
{
    const auto& threads = s_records.attributeTables.front();
    ASSERT_EQ(threads.name, L"dd_thread");
    int top = s_layout.ruler().top + s_layout.ruler().height;
    for (std::size_t dataRow = 0; dataRow < threads.instances.size(); ++dataRow) {
        const LayoutRow& row = threadRow(static_cast<int>(dataRow));
        EXPECT_EQ(row.name, wxString(std::get<std::wstring>(threads.instances[dataRow][0])).ToStdString());
        EXPECT_GE(row.top, top) << "rows follow each other below the ruler";
        EXPECT_GE(row.height, 16);
        top = row.top + row.height;
    }
}

// The CPU graph and the running part of the state strip fill a thread's lifetime, wherever the
// row's waits, markers and transitions above them leave room, and stop at its ends; the counters have an area of their own.
TEST_F(DefaultScreenshot, GraphsAndStatesLieWithinEachThreadsLifetime)
{
    const ColourFinder transition(s_image, TRANSITION);
    const int right = s_layout.axisLeft() + s_layout.axisWidth() - 1;
    for (int dataRow = 0; dataRow < static_cast<int>(s_records.lifetimes.size()); ++dataRow) {
        const LayoutRow& row = threadRow(dataRow);
        const auto [first, last] = lifetimeColumns(dataRow);
        std::vector<bool> hidden(static_cast<std::size_t>(s_image.GetWidth()));
        for (const auto& [above, reach] : {std::make_pair(L"marker_instant", ICON_HALF_WIDTH),
                                           std::make_pair(L"marker_duration", ICON_HALF_WIDTH),
                                           std::make_pair(L"wait_state", SLACK)}) {
            const std::vector<bool> covered = objectColumns(above, dataRow, reach);
            for (std::size_t x = 0; x < hidden.size(); ++x)
                hidden[x] = hidden[x] || covered[x];
        }
        // Steep transition lines on top cover whole columns of a row, with blended edges.
        const std::vector<bool> crossed = transition.columns(0, s_image.GetWidth() - 1, row.top, row.top + row.height);
        for (std::size_t x = 0; x < crossed.size(); ++x)
            for (std::size_t edge = x > 0 ? x - 1 : 0; crossed[x] && edge <= x + 1 && edge < hidden.size(); ++edge)
                hidden[edge] = true;
        for (const unsigned colour : {CPU_TIME, RUNNING}) {
            const ColourFinder finder(s_image, colour);
            const double inside = shareOfFree(
                finder.columns(first + SLACK, last - SLACK, row.top, row.top + row.height), first + SLACK, hidden);
            EXPECT_GT(inside, 0.9) << std::hex << colour << " in row " << std::dec << dataRow;
            EXPECT_FALSE(finder.inBox(s_layout.axisLeft(), first - SLACK, row.top, row.top + row.height))
                << std::hex << colour << " before row " << std::dec << dataRow << " starts";
            EXPECT_FALSE(finder.inBox(last + SLACK, right, row.top, row.top + row.height))
                << std::hex << colour << " after row " << std::dec << dataRow << " ends";
        }
    }
    const LayoutRow* counters = s_layout.row(1, 0);
    ASSERT_NE(counters, nullptr);
    const ColourFinder counter(s_image, COUNTER);
    EXPECT_GT(share(counter.columns(s_layout.axisLeft() + SLACK, right - SLACK, counters->top,
                                    counters->top + counters->height)),
              0.9);
    EXPECT_FALSE(counter.inBox(s_layout.axisLeft(), right, threadRow(0).top, counters->top - 1));
}

// A transition runs from the signalling row at the wait's start to the waiting row at its end.
// Where it crosses a row outside that row's lifetime nothing else is drawn, so it must show.
TEST_F(DefaultScreenshot, TransitionsCrossRowsOnTheLineFromSignallerToWaiter)
{
    const ColourFinder transition(s_image, TRANSITION);
    int checked = 0;
    int shown = 0;
    for (const auto& wait : band(L"wait_state").objects) {
        const LayoutRow& from = threadRow(wait.sourceRow);
        const LayoutRow& to = threadRow(wait.row);
        const int x0 = xOf(wait.start), y0 = centre(from), x1 = xOf(wait.end), y1 = centre(to);
        for (int dataRow = std::min(wait.sourceRow, wait.row) + 1; dataRow < std::max(wait.sourceRow, wait.row);
             ++dataRow) {
            const int y = centre(threadRow(dataRow));
            const int x = x0 + (x1 - x0) * (y - y0) / (y1 - y0);
            const auto [first, last] = lifetimeColumns(dataRow);
            if (x > first - 2 * SLACK && x < last + 2 * SLACK)
                continue; // covered by that row's own layers
            ++checked;
            shown += transition.inBox(x - SLACK, x + SLACK, y - 1, y + 2) ? 1 : 0;
        }
    }
    ASSERT_GT(checked, 10);
    EXPECT_GE(shown, checked * 9 / 10) << shown << " of " << checked;
}

// Every per-row marker shows its colour at its time in its row, unless a transition line (drawn
// above the markers) crosses it there; no marker colour appears where there is no marker,
// although graphs and state strips of the row lie beneath them.
TEST_F(DefaultScreenshot, MarkersSitAtTheirTimesInTheirRows)
{
    const ColourFinder transition(s_image, TRANSITION);
    for (const auto& [table, colour] : {std::make_pair(L"marker_instant", INSTANT_MARKER),
                                        std::make_pair(L"marker_duration", DURATION_MARKER)}) {
        const ColourFinder finder(s_image, colour);
        int shown = 0;
        for (const auto& marker : band(table).objects) {
            const LayoutRow& row = threadRow(marker.row);
            const int x0 = xOf(marker.start) - SLACK;
            const int x1 = xOf(marker.end) + SLACK;
            const bool covered = transition.inBox(x0, x1, row.top, row.top + row.height);
            shown += finder.inBox(x0, x1, row.top, row.top + row.height) || covered ? 1 : 0;
        }
        const int count = static_cast<int>(band(table).objects.size());
        EXPECT_EQ(shown, count) << fromWide(table);
        for (int dataRow = 0; dataRow < static_cast<int>(s_records.lifetimes.size()); ++dataRow) {
            const std::vector<bool> near = objectColumns(table, dataRow, ICON_HALF_WIDTH);
            const LayoutRow& row = threadRow(dataRow);
            const std::vector<bool> found = finder.columns(0, s_image.GetWidth() - 1, row.top, row.top + row.height);
            for (std::size_t x = 0; x < found.size(); ++x)
                EXPECT_FALSE(found[x] && !near[x]) << fromWide(table) << " without a marker at x " << x << " in row "
                                                   << dataRow;
        }
    }
}

// Global events and tasks are drawn on the ruler's bottom strip at their times.
TEST_F(DefaultScreenshot, GlobalMarkersSitOnTheRulerAtTheirTimes)
{
    const LayoutBox& ruler = s_layout.ruler();
    const int strip = ruler.top + ruler.height / 2;
    for (const auto& [table, colour] : {std::make_pair(L"global_event", GLOBAL_EVENT),
                                        std::make_pair(L"global_task", GLOBAL_TASK)}) {
        const ColourFinder finder(s_image, colour);
        int shown = 0;
        for (const auto& marker : band(table).objects)
            shown += finder.inBox(xOf(marker.start) - SLACK, xOf(marker.end) + SLACK, strip, ruler.top + ruler.height)
                         ? 1
                         : 0;
        EXPECT_EQ(shown, static_cast<int>(band(table).objects.size())) << fromWide(table);
        EXPECT_FALSE(finder.inBox(ruler.left, ruler.left + ruler.width, s_layout.rows().front().top,
                                  s_image.GetHeight() - 40))
            << "global markers stay on the ruler";
    }
}

} // namespace
} // namespace viewer_test
