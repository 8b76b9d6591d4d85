#include "NoticeSink.h"
#include "TestGraph.h"
#include "TestProvider.h"
#include "WxTestMain.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/DataSource.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/SMBDataLayer.h>
#include <tarquel_1_0/UpdateTimer.h>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

using namespace tarquel_1_0;
using namespace chart_test;

namespace {

wxColour pixel(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// Draws into a white bitmap of the graph's size and returns what was drawn.
template <class Draw>
wxImage paint(int width, int height, Draw draw)
{
    wxBitmap bitmap(width, height, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    draw(dc);
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

class StateLayerTest : public ::testing::Test {
protected:
    StateLayerTest() : m_provider(new TestProvider(2, 999, nullptr)), m_graph(m_provider.get(), &m_ruler, 100)
    {
        registerMessageCatalog("tarquel");
        registerMessageCatalog("velmora");
        m_ruler.setDuration(999); // 10 ns per column
        m_ruler.setPixelWidth(100);
        m_provider->setRowNames({"main", "worker"});
        m_graph.refreshRows();
        m_provider->setNotificationSink(&m_sink);
        // Row 0: running for the first half, waiting for the second. Row 1: both states inside
        // column 10, running alone in column 50.
        m_provider->setStates(0, {{0, 499, 1, 7}, {500, 999, 0, 8}});
        m_provider->setStates(1, {{100, 102, 1, 9}, {103, 104, 0, 10}, {500, 509, 2, 11}});
        m_layer.attach(nullptr, &m_graph);
        m_layer.setParentSize(wxSize(100, 2 * TestGraph::ROW_HEIGHT));
        m_layer.setRowByName("Thread");
        m_layer.setLayerName("Thread state");
        m_ruler.setDecimalSeparator(".");
        m_provider->start();
    }

    void load()
    {
        m_layer.requestData(false);
        ASSERT_EQ(2, m_layer.m_loading);
        ASSERT_TRUE(pumpUntil([&] { return m_sink.dataReadyFor(&m_layer) == 2; }));
        ASSERT_TRUE(m_layer.checkData());
        paint(100, 40, [&](wxMemoryDC& dc) { m_layer.updateData(dc, false); });
        ASSERT_EQ(0, m_layer.m_loading);
    }

    NoticeSink m_sink;
    Ruler m_ruler;
    TestProviderPtr m_provider;
    TestGraph m_graph;
    SMBDataLayer m_layer;
};

TEST_F(StateLayerTest, DrawsStatesPerColumnWithMixedColumns)
{
    load();
    const wxImage image = paint(100, 40, [&](wxMemoryDC& dc) { m_layer.renderAll(dc); });
    const int row0 = TestGraph::ROW_HEIGHT / 2;
    const int row1 = TestGraph::ROW_HEIGHT + TestGraph::ROW_HEIGHT / 2;
    EXPECT_EQ(m_provider->getSMBRunningColor(), pixel(image, 20, row0));
    EXPECT_EQ(m_provider->getSMBRunningColor(), pixel(image, 49, row0));
    EXPECT_EQ(m_provider->getSMBWaitingColor(), pixel(image, 50, row0));
    EXPECT_EQ(m_provider->getSMBWaitingColor(), pixel(image, 99, row0));
    EXPECT_EQ(m_provider->getSMBMixedColor(), pixel(image, 10, row1));
    EXPECT_EQ(m_provider->getSMBRunningColor(), pixel(image, 50, row1)) << "any non-zero state is running";
    EXPECT_EQ(*wxWHITE, pixel(image, 30, row1));
    EXPECT_EQ(*wxWHITE, pixel(image, 20, 1)) << "the strip leaves the row's edges free";
}

TEST_F(StateLayerTest, LoadedStatesSurviveZoomButNotClear)
{
    load();
    m_layer.requestData(false);
    EXPECT_EQ(0, m_layer.m_loading) << "states cover all time: nothing to fetch after a zoom";
    m_layer.clear();
    m_layer.requestData(true);
    EXPECT_EQ(2, m_layer.m_loading);
}

TEST_F(StateLayerTest, HoverFindsTheStateAndExplainsIt)
{
    load();
    EXPECT_TRUE(m_layer.hittest(20, 5));
    EXPECT_FALSE(m_layer.hittest(21, 5)) << "same interval";
    ASSERT_EQ(1, m_layer.getTooltipCount());
    std::vector<wxString> lines;
    m_layer.getTooltip(0, lines);
    EXPECT_TRUE(lines.empty());
    m_layer.getTooltip(1, lines);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("Thread state\nThread: main\nRunning\nStart: 0 ns\nDuration: 499 ns", lines[0]);

    EXPECT_TRUE(m_layer.hittest(10, TestGraph::ROW_HEIGHT + 3));
    ASSERT_NE(nullptr, m_layer.getHitInterval());
    EXPECT_EQ(1u, m_layer.getHitInterval()->value) << "in a mixed column the running state wins";
    EXPECT_TRUE(m_layer.hittest(30, TestGraph::ROW_HEIGHT + 3));
    EXPECT_EQ(0, m_layer.getTooltipCount());
}

TEST_F(StateLayerTest, ColourCommandChangesTheProviderColourAndTellsTheGraph)
{
    const ColorPicker previous = setColorPicker([](wxWindow*, const wxString& title, const wxColour&, wxColour& chosen) {
        chosen = title == "Select waiting color" ? wxColour(1, 2, 3) : wxColour(4, 5, 6);
        return true;
    });
    m_layer.handleLegendPopupMenu(1);
    m_layer.handleLegendPopupMenu(2); // not an entry
    setColorPicker(previous);
    EXPECT_EQ(wxColour(1, 2, 3), m_provider->getSMBWaitingColor());
    EXPECT_EQ((std::vector<wxString>{"Waiting color #010203"}), m_graph.m_colorChanges);
}

TEST_F(StateLayerTest, FilterBandIsPaintedBehindTheRow)
{
    m_provider->setFilterBand(1, {{200, 299}});
    m_provider->requestSBFilterUpdate(nullptr);
    ASSERT_TRUE(pumpUntil([&] { return m_sink.dataReadyFor(nullptr) == 1; }));
    const wxImage image = paint(100, 40, [&](wxMemoryDC& dc) {
        m_layer.renderSegment(dc, 0);
        m_layer.renderSegment(dc, 1);
    });
    const int y = TestGraph::ROW_HEIGHT + 5;
    EXPECT_EQ(getFilteredOvertimeColor(), pixel(image, 20, y));
    EXPECT_EQ(getFilteredOvertimeColor(), pixel(image, 29, y));
    EXPECT_EQ(*wxWHITE, pixel(image, 30, y));
    EXPECT_EQ(*wxWHITE, pixel(image, 19, y));
    EXPECT_EQ(*wxWHITE, pixel(image, 25, 5)) << "row 0 has no band";
}

// A data source that counts its live copies.
class CountedSource : public DataSource {
public:
    explicit CountedSource(int* live) : m_live(live) { ++*m_live; }
    CountedSource(const CountedSource& other) : DataSource(other), m_live(other.m_live) { ++*m_live; }
    ~CountedSource() override { --*m_live; }
    std::unique_ptr<DataSource> clone() const override { return std::make_unique<CountedSource>(*this); }

private:
    int* m_live;
};

TEST(GraphLayer, CopiesOwnTheirDataSourcesAndLegendCommandsToggle)
{
    int live = 0;
    {
        SMBDataLayer layer;
        layer.setDataSource(new CountedSource(&live));
        layer.setTooltipSource(new CountedSource(&live));
        EXPECT_TRUE(layer.m_useTooltipSource);
        SMBDataLayer copy(layer);
        EXPECT_EQ(4, live);
        EXPECT_NE(layer.m_dataSource, copy.m_dataSource);
        copy = layer;
        EXPECT_EQ(4, live);
        layer.setDataSource(nullptr);
        EXPECT_EQ(3, live);

        int boxes[2] = {};
        LegendItem* item = reinterpret_cast<LegendItem*>(&boxes[0]); // only compared
        LegendItem* running = reinterpret_cast<LegendItem*>(&boxes[1]);
        layer.m_legendItem = item;
        layer.handleCustomLegendCommand(item);
        EXPECT_FALSE(layer.m_visible);
        layer.m_runningLegendItem = running;
        layer.handleCustomLegendCommand(running);
        EXPECT_FALSE(layer.m_showRunning);
        layer.handleCustomLegendCommand(nullptr);
        EXPECT_FALSE(layer.m_visible);
    }
    EXPECT_EQ(0, live);
}

TEST(UpdateTimer, TicksTheLayersThatAskedUntilTheyStop)
{
    SMBDataLayer first;
    SMBDataLayer second;
    std::vector<GraphLayer*> ticks;
    UpdateTimer* self = nullptr;
    UpdateTimer timer(
        [&](GraphLayer& layer) {
            ticks.push_back(&layer);
            if (&layer == &first)
                self->request(&second, false); // a tick may stop another layer's ticks
        },
        5);
    self = &timer;
    EXPECT_FALSE(timer.isRunning());
    timer.request(&first, true);
    timer.request(&second, true);
    timer.request(&first, true);
    EXPECT_TRUE(timer.isRunning());
    timer.tick();
    EXPECT_EQ((std::vector<GraphLayer*>{&first}), ticks) << "second was stopped before its turn";
    EXPECT_FALSE(timer.isTicking(&second));

    ASSERT_TRUE(pumpUntil([&] { return ticks.size() >= 3; }));
    timer.forget(&first);
    EXPECT_FALSE(timer.isRunning());
    const size_t seen = ticks.size();
    pumpPending();
    EXPECT_EQ(seen, ticks.size());
}

TEST(UpdateTimer, OneExpiryRunsRoundsBackToBackWhileWithinItsBudget)
{
    SMBDataLayer layer;
    int ticks = 0;
    bool loopRan = false;
    bool loopRanBeforeLastTick = true;
    UpdateTimer* self = nullptr;
    UpdateTimer timer(
        [&](GraphLayer& ticked) {
            if (++ticks == 1)
                wxTheApp->CallAfter([&] { loopRan = true; });
            if (ticks == 100) {
                loopRanBeforeLastTick = loopRan;
                self->request(&ticked, false);
            }
        },
        5, 60000);
    self = &timer;
    timer.request(&layer, true);
    ASSERT_TRUE(pumpUntil([&] { return ticks == 100; }));
    EXPECT_FALSE(loopRanBeforeLastTick) << "the event loop ran between rounds of one expiry";
    EXPECT_FALSE(timer.isRunning());
    EXPECT_TRUE(pumpUntil([&] { return loopRan; })); // the posted call must not outlive the test
}

// Work that never ends on its own must still leave the loop its turn once a budget is spent:
// posted events (the user's input, data-ready notices) are handled while ticks keep coming.
TEST(UpdateTimer, EventsPostedDuringTicksAreHandledWhileTicksContinue)
{
    SMBDataLayer layer;
    int ticks = 0;
    int ticksWhenHandled = 0;
    UpdateTimer timer(
        [&](GraphLayer&) {
            if (++ticks == 1)
                wxTheApp->CallAfter([&] { ticksWhenHandled = ticks; });
        },
        1, 1);
    timer.request(&layer, true);
    ASSERT_TRUE(pumpUntil([&] { return ticksWhenHandled > 0 && ticks > ticksWhenHandled; }));
    EXPECT_TRUE(timer.isRunning());
    timer.forget(&layer);
    EXPECT_FALSE(timer.isRunning());
}

} // namespace
