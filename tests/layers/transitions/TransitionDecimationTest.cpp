#include "TransitionFixture.h"

#include <tarquel_1_0/MessageCatalog.h>

using namespace transition_test;
using velmora_1_0::SarvikProvider;

namespace {

// `count` transitions from row 0 to row 2, all on the same pixels.
std::vector<SarvikProvider::Transition> sameLine(size_t count)
{
    return std::vector<SarvikProvider::Transition>(count, transition(0, 2, 200, 300));
}

} // namespace

class TransitionDecimation : public TransitionFixture {};

TEST_F(TransitionDecimation, LoadsOneRequestPerRowAndDropsStaleAnswers)
{
    ProbeLayer layer;
    attach(layer);
    EXPECT_EQ(layer.getProgressText(), tarquel_1_0::getString("%Loading_transitions"));
    layer.requestData(true);
    ASSERT_EQ(layer.m_requests.size(), static_cast<size_t>(kRows));
    EXPECT_EQ(layer.m_loading, kRows);
    // A second request while loading asks for nothing new.
    const auto asked = layer.m_requests;
    layer.requestData(false);
    EXPECT_EQ(layer.m_requests, asked);

    m_provider->file(&layer, 9999, {transition(1, 2, 0, 10)}); // not ours
    EXPECT_FALSE(layer.checkData());

    int answered = 0;
    for (const auto& request : asked) {
        m_provider->file(&layer, request.first, {transition(static_cast<short>(answered), 4, 100, 200)});
        ASSERT_TRUE(layer.checkData());
        layer.updateData(m_dc, false);
        ++answered;
        EXPECT_EQ(layer.m_dataLoaded, answered == kRows);
    }
    ASSERT_EQ(layer.m_transitions.size(), static_cast<size_t>(kRows));
    EXPECT_EQ(layer.m_transitions[3].fromRow, 3); // arrival order
    EXPECT_EQ(layer.m_loading, 0);
    EXPECT_EQ(layer.getProgressText(), tarquel_1_0::getString("%Resolving_transitions"));
    // Loaded: a new view decimates again without fetching.
    layer.requestData(false);
    EXPECT_EQ(layer.m_requests, asked);
    EXPECT_EQ(layer.m_transitions.size(), static_cast<size_t>(kRows));
    EXPECT_EQ(layer.m_visibleTransitions.size(), static_cast<size_t>(kRows));
}

TEST_F(TransitionDecimation, FiveThousandDecimateAtOnceAndOneMoreUsesTheTimer)
{
    ProbeLayer atOnce;
    load(atOnce, sameLine(5000));
    EXPECT_EQ(atOnce.m_decimationIndex, 5000u);
    EXPECT_EQ(m_graph.m_timerStarts, 0);
    ASSERT_EQ(atOnce.m_visibleTransitions.size(), 1u);
    EXPECT_EQ(atOnce.m_visibleTransitions[0].duplicateCount, 4999u);

    ProbeLayer batched;
    load(batched, sameLine(5001));
    EXPECT_EQ(batched.m_decimationIndex, 0u);
    EXPECT_TRUE(m_graph.m_timerOn);
    EXPECT_EQ(batched.m_loading, 5001);
    batched.updateData(m_dc, true);
    EXPECT_EQ(batched.m_decimationIndex, 300u);
    EXPECT_EQ(batched.m_loadProgress, 300);
    EXPECT_EQ(tickUntilDone(batched), 16); // 17 batches of at most 300 in all
    EXPECT_FALSE(m_graph.m_timerOn);
    EXPECT_EQ(batched.m_decimationIndex, 5001u);
    EXPECT_EQ(batched.m_loading, 0);
    EXPECT_EQ(batched.m_visibleTransitions[0].duplicateCount, 5000u);
    const velmora_1_0::VisibleTransition& kept = batched.m_visibleTransitions[0];
    EXPECT_EQ(kept.index, 0);
    EXPECT_EQ(std::vector<int>(kept.duplicates, kept.duplicates + 4), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(TransitionDecimation, TransitionsOffTheTimeWindowDoNotCountTowardABatch)
{
    m_ruler.setVisibleRange(500, 999, false);
    std::vector<SarvikProvider::Transition> data(400, transition(0, 1, 10, 20)); // both before the view
    data.push_back(transition(0, 3, 100, 700));                                 // starts before, ends inside
    data.resize(6000, transition(1, 2, 600, 650));
    ProbeLayer layer;
    load(layer, data);
    layer.updateData(m_dc, true);
    EXPECT_EQ(layer.m_decimationIndex, 700u);
    ASSERT_EQ(layer.m_visibleTransitions.size(), 2u);
    EXPECT_EQ(layer.m_visibleTransitions[0].index, 400);
    EXPECT_EQ(layer.m_segments[0].x1, x(100)); // unclamped, left of the graph
    EXPECT_LT(layer.m_segments[0].x1, 0);
}

TEST_F(TransitionDecimation, KeysSeparatePixelsAndRowsAndHiddenRowsAreNotDrawn)
{
    m_graph.m_hidden.insert(3);
    ProbeLayer layer;
    load(layer, {transition(0, 2, 200, 300), transition(0, 2, 201, 302), // same pixels: duplicate
                 transition(0, 2, 200, 310), transition(2, 0, 200, 300), // other end, other direction
                 transition(0, 3, 200, 300),                           // hidden row
                 transition(0, 1, 5000000, 5000000)});                 // after the view
    ASSERT_EQ(layer.m_visibleTransitions.size(), 3u);
    EXPECT_EQ(layer.m_visibleTransitions[0].duplicateCount, 1u);
    EXPECT_EQ(layer.m_visibleTransitions[0].duplicates[0], 1);
    EXPECT_EQ(layer.m_visibleTransitions[1].index, 2);
    EXPECT_EQ(layer.m_visibleTransitions[2].index, 3);
    ASSERT_EQ(layer.m_segments.size(), 3u);
    EXPECT_EQ(layer.m_segments[0].y1, 10);
    EXPECT_EQ(layer.m_segments[0].y2, 50);
    EXPECT_EQ(layer.m_segments[2].fromRow, 2);
}

TEST_F(TransitionDecimation, HiddenLayerPostponesDecimationUntilDrawn)
{
    ProbeLayer layer;
    layer.m_visible = false;
    load(layer, sameLine(3));
    EXPECT_TRUE(layer.m_visibleTransitions.empty());
    layer.m_visible = true;
    paint(layer);
    EXPECT_EQ(layer.m_visibleTransitions.size(), 1u);
    EXPECT_NE(pixel(x(250), 30), kWhite);
}

TEST_F(TransitionDecimation, ClearForgetsTheDataAndTheNextRequestLoadsAgain)
{
    ProbeLayer layer;
    load(layer, sameLine(2));
    const auto before = layer.m_requests;
    layer.clear();
    EXPECT_FALSE(layer.m_dataLoaded);
    EXPECT_TRUE(layer.m_transitions.empty());
    EXPECT_TRUE(layer.m_segments.empty());
    paint(layer);
    EXPECT_EQ(pixel(x(250), 30), kWhite);
    layer.requestData(false);
    EXPECT_EQ(layer.m_requests.size(), static_cast<size_t>(kRows));
    EXPECT_NE(layer.m_requests.begin()->first, before.begin()->first);
}

TEST_F(TransitionDecimation, EachTickDrawsOnlyTheLinesItsBatchKept)
{
    std::vector<SarvikProvider::Transition> data(300, transition(0, 2, 200, 200));
    data.resize(5001, transition(3, 4, 700, 700));
    ProbeLayer layer;
    load(layer, data);
    const auto whiten = [this] {
        m_dc.SetBackground(*wxWHITE_BRUSH);
        m_dc.Clear();
    };
    whiten();
    layer.updateData(m_dc, true);
    EXPECT_NE(pixel(x(200), 30), kWhite);
    EXPECT_EQ(pixel(x(700), 70), kWhite);
    whiten();
    layer.updateData(m_dc, true);
    EXPECT_EQ(pixel(x(200), 30), kWhite); // already on the graph from the first tick
    EXPECT_NE(pixel(x(700), 70), kWhite);
    whiten();
    tickUntilDone(layer);
    EXPECT_EQ(pixel(x(700), 70), kWhite);
    paint(layer); // a repaint draws every kept line
    EXPECT_NE(pixel(x(200), 30), kWhite);
    EXPECT_NE(pixel(x(700), 70), kWhite);
}

TEST_F(TransitionDecimation, RepaintWhileLoadingWaitsForTheLastAnswer)
{
    // A window repaints while answers arrive; the first rows' transitions must not be decimated
    // on their own, or the loading count is lost and the layer never finishes.
    ProbeLayer layer;
    attach(layer);
    layer.requestData(false);
    const auto asked = layer.m_requests;
    auto request = asked.begin();
    m_provider->file(&layer, (request++)->first, sameLine(6000));
    ASSERT_TRUE(layer.checkData());
    layer.updateData(m_dc, false);
    paint(layer);
    EXPECT_FALSE(m_graph.m_timerOn);
    EXPECT_EQ(layer.m_loading, kRows);
    EXPECT_EQ(layer.m_loadProgress, 1);
    for (; request != asked.end(); ++request)
        m_provider->file(&layer, request->first, {transition(1, 2, 600, 650)});
    ASSERT_TRUE(layer.checkData());
    layer.updateData(m_dc, false);
    ASSERT_TRUE(layer.m_dataLoaded);
    EXPECT_TRUE(m_graph.m_timerOn);
    EXPECT_EQ(tickUntilDone(layer), 21); // 6004 transitions in batches of 300
    EXPECT_EQ(layer.m_decimationIndex, 6004u);
    EXPECT_EQ(layer.m_visibleTransitions.size(), 2u);
}

TEST_F(TransitionDecimation, ClearDuringBatchesStopsTheTicksAndLoadsAgain)
{
    ProbeLayer layer;
    load(layer, sameLine(6000));
    layer.updateData(m_dc, true);
    ASSERT_TRUE(m_graph.m_timerOn);
    layer.clear();
    EXPECT_FALSE(m_graph.m_timerOn);
    // A tick already on its way finds nothing asked for: the layer stays unloaded.
    layer.updateData(m_dc, true);
    EXPECT_FALSE(layer.m_dataLoaded);
    layer.requestData(false);
    EXPECT_EQ(layer.m_requests.size(), static_cast<size_t>(kRows));
}
