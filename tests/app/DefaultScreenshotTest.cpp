// The default viewpoint on the generated sample, end to end: one screenshot with the layout the
// viewer printed, checked against the content the generator put into the result. Each layer's
// colour must appear where that content lies on the time axis and the rows, and nowhere else.
// Rows grow by their slice lanes, so not every thread fits the window: each check covers every
// row the picture shows whole, and the picture must show at least MIN_SHOWN_ROWS of them.
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
constexpr unsigned GLOBAL_EVENT = 0x7F8C8D;
constexpr unsigned GLOBAL_TASK = 0x34495E;
constexpr unsigned COUNTER = 0x9B59B6;

// Columns a shape may spill over its exact place (line ends, rounding), and a marker icon's
// reach on either side of its time.
constexpr int SLACK = 3;
constexpr int ICON_HALF_WIDTH = 8;
// Rows show a few lanes of nesting at first, so that most threads fit the window.
constexpr int MIN_SHOWN_ROWS = 4;

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
    // The data rows the screenshot shows whole, in data order.
    static std::vector<int> shownRows()
    {
        std::vector<int> rows;
        for (int dataRow = 0; dataRow < static_cast<int>(s_records.lifetimes.size()); ++dataRow)
            if (s_layout.isShown(threadRow(dataRow)))
                rows.push_back(dataRow);
        EXPECT_GE(static_cast<int>(rows.size()), MIN_SHOWN_ROWS);
        return rows;
    }
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
        EXPECT_TRUE(row.lanesHeight == 0 || row.lanesTop == row.top + row.height) << "lanes hang under the strip";
        top = row.top + row.height + row.lanesHeight;
    }
}

// The CPU graph and the running part of the state strip fill a thread's lifetime, wherever the
// row's waits, instant markers and transitions above them leave room, and stop at its ends; the counters have an area of their own.
TEST_F(DefaultScreenshot, GraphsAndStatesLieWithinEachThreadsLifetime)
{
    const ColourFinder transition(s_image, TRANSITION);
    const int right = s_layout.axisLeft() + s_layout.axisWidth() - 1;
    for (const int dataRow : shownRows()) {
        const LayoutRow& row = threadRow(dataRow);
        const auto [first, last] = lifetimeColumns(dataRow);
        std::vector<bool> hidden(static_cast<std::size_t>(s_image.GetWidth()));
        for (const auto& [above, reach] : {std::make_pair(L"marker_instant", ICON_HALF_WIDTH),
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
// Where it crosses a row outside that row's lifetime, or the middle of a row's lanes where the
// row has no slice, nothing else is drawn, so it must show.
TEST_F(DefaultScreenshot, TransitionsCrossRowsOnTheLineFromSignallerToWaiter)
{
    const ColourFinder transition(s_image, TRANSITION);
    int checked = 0;
    int shown = 0;
    std::vector<std::vector<bool>> slicesNear(s_records.lifetimes.size());
    for (std::size_t row = 0; row < slicesNear.size(); ++row)
        slicesNear[row] = objectColumns(L"marker_duration", static_cast<int>(row), 2 * SLACK);
    for (const auto& wait : band(L"wait_state").objects) {
        const LayoutRow& from = threadRow(wait.sourceRow);
        const LayoutRow& to = threadRow(wait.row);
        const int x0 = xOf(wait.start), y0 = centre(from), x1 = xOf(wait.end), y1 = centre(to);
        for (int dataRow = std::min(wait.sourceRow, wait.row) + 1; dataRow < std::max(wait.sourceRow, wait.row);
             ++dataRow) {
            if (!s_layout.isShown(threadRow(dataRow)))
                continue; // out of the picture
            const LayoutRow& crossed = threadRow(dataRow);
            const int y = centre(crossed);
            const int x = x0 + (x1 - x0) * (y - y0) / (y1 - y0);
            const auto [first, last] = lifetimeColumns(dataRow);
            if (x <= first - 2 * SLACK || x >= last + 2 * SLACK) {
                ++checked;
                shown += transition.inBox(x - SLACK, x + SLACK, y - 1, y + 2) ? 1 : 0;
            }
            if (crossed.lanesHeight == 0)
                continue;
            const int laneY = crossed.lanesTop + crossed.lanesHeight / 2;
            const int laneX = x0 + (x1 - x0) * (laneY - y0) / (y1 - y0);
            if (laneX < 0 || laneX >= s_image.GetWidth() || slicesNear[dataRow][static_cast<std::size_t>(laneX)])
                continue; // a slice may lie on top there
            ++checked;
            shown += transition.inBox(laneX - SLACK, laneX + SLACK, laneY - 1, laneY + 2) ? 1 : 0;
        }
    }
    ASSERT_GT(checked, 10);
    EXPECT_GE(shown, checked * 9 / 10) << shown << " of " << checked;
}

// Durations are slices: every row shows as many lanes as slices are open at once (up to the few
// a row shows until all are asked for), each
// slice fills a lane at its time, and lanes stay empty where the row has no slice.
TEST_F(DefaultScreenshot, SlicesFillLanesAtTheirTimesAndNothingElse)
{
    const auto background = [](int x, int y) {
        const int r = s_image.GetRed(x, y), g = s_image.GetGreen(x, y), b = s_image.GetBlue(x, y);
        return r == g && g == b && r >= 224;
    };
    const ColourFinder transition(s_image, TRANSITION);
    for (const int dataRow : shownRows()) {
        const LayoutRow& row = threadRow(dataRow);
        std::vector<std::pair<std::uint64_t, int>> edges; // time, +1 open / -1 close
        for (const auto& object : band(L"marker_duration").objects)
            if (object.row == dataRow && object.end > object.start) {
                edges.emplace_back(object.start, 1);
                edges.emplace_back(object.end, -1);
            }
        ASSERT_FALSE(edges.empty()) << dataRow;
        std::sort(edges.begin(), edges.end()); // a close sorts before an open at the same time
        int open = 0;
        int mostOpen = 0;
        for (const auto& edge : edges)
            mostOpen = std::max(mostOpen, open += edge.second);
        ASSERT_GE(row.lanesHeight, std::min(mostOpen, SHOWN_LANES) * LANE + 1) << dataRow;
        const int bottom = std::min(row.lanesTop + row.lanesHeight, s_image.GetHeight());

        const std::vector<bool> near = objectColumns(L"marker_duration", dataRow, 1);
        const std::vector<bool> crossed = transition.columns(0, s_image.GetWidth() - 1, row.lanesTop, bottom);
        int filled = 0;
        int slices = 0;
        for (const auto& object : band(L"marker_duration").objects) {
            if (object.row != dataRow || xOf(object.end) - xOf(object.start) < 3)
                continue;
            ++slices;
            const int x = (xOf(object.start) + xOf(object.end)) / 2;
            bool shown = false;
            for (int y = row.lanesTop; y < bottom && !shown; ++y)
                shown = !background(x, y);
            filled += shown ? 1 : 0;
        }
        EXPECT_EQ(filled, slices) << "row " << dataRow;
        for (int x = s_layout.axisLeft(); x < s_layout.axisLeft() + s_layout.axisWidth(); ++x) {
            const auto at = static_cast<std::size_t>(x);
            // Transition lines cross lanes too, with blended edges.
            if (near[at] || crossed[at] || crossed[at - 1] || (at + 1 < crossed.size() && crossed[at + 1]))
                continue;
            // A row deeper than its lanes says "+N" at the right end of its bottom lane.
            const bool hiddenMark = mostOpen > SHOWN_LANES && x >= s_layout.axisLeft() + s_layout.axisWidth() - 40;
            const int lastLine = hiddenMark ? row.lanesTop + (SHOWN_LANES - 1) * LANE : bottom - 1;
            for (int y = row.lanesTop; y < lastLine; ++y)
                ASSERT_TRUE(background(x, y)) << "lane pixel without a slice at " << x << ", " << y << " in row "
                                              << dataRow;
        }
    }
}

// Every per-row marker shows its colour at its time in its row, unless a transition line (drawn
// above the markers) crosses it there; no marker colour appears where there is no marker,
// although graphs and state strips of the row lie beneath them.
TEST_F(DefaultScreenshot, MarkersSitAtTheirTimesInTheirRows)
{
    const ColourFinder transition(s_image, TRANSITION);
    for (const auto& [table, colour] : {std::make_pair(L"marker_instant", INSTANT_MARKER)}) {
        const ColourFinder finder(s_image, colour);
        int shown = 0;
        int count = 0;
        for (const auto& marker : band(table).objects) {
            const LayoutRow& row = threadRow(marker.row);
            if (!s_layout.isShown(row))
                continue;
            ++count;
            const int x0 = xOf(marker.start) - SLACK;
            const int x1 = xOf(marker.end) + SLACK;
            const bool covered = transition.inBox(x0, x1, row.top, row.top + row.height);
            shown += finder.inBox(x0, x1, row.top, row.top + row.height) || covered ? 1 : 0;
        }
        EXPECT_EQ(shown, count) << fromWide(table);
        for (const int dataRow : shownRows()) {
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
