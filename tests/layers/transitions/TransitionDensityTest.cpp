// Readable transitions: once the kept lines outnumber a few per pixel column, only the lines of
// the selected transition's rows are drawn (with an arrow head at their destination), and the
// legend's command brings all of them back; a sparse set is drawn whole.
#include "TransitionFixture.h"

using namespace transition_test;
using velmora_1_0::SarvikProvider;

namespace {

// `count` lines between rows 0 to 3 over the whole view, more than a thousand of them distinct.
std::vector<SarvikProvider::Transition> distinctLines(int count)
{
    std::vector<SarvikProvider::Transition> lines;
    for (int i = 0; i < count; ++i) {
        const auto from = static_cast<short>(i % 4);
        const auto to = static_cast<short>((from + 1 + (i / 4) % 3) % 4);
        const std::uint64_t start = static_cast<std::uint64_t>((i / 20) % 100) * 10;
        lines.push_back(transition(from, to, start, start + 40));
    }
    return lines;
}

// distinctLines(count), after a flat line on row 4 (which no other line touches) from column 10
// to column 60.
std::vector<SarvikProvider::Transition> linesAfterOneOnRowFour(int count)
{
    std::vector<SarvikProvider::Transition> lines = distinctLines(count);
    lines.insert(lines.begin(), transition(4, 4, 100, 600));
    return lines;
}

class TransitionDensity : public TransitionFixture {
protected:
    static constexpr int kRowFourCentre = 4 * kRowHeight + kRowHeight / 2;

    int painted(ProbeLayer& layer, int top = 0, int bottom = kRows * kRowHeight)
    {
        paint(layer);
        return paintedPixels(top, bottom);
    }
    // Pixels of the canvas that are not white, as they stand.
    int paintedPixels(int top, int bottom)
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (pixel(x, y) != kWhite)
                    ++count;
        return count;
    }
};

TEST_F(TransitionDensity, DenseLinesShowOnlyTheSelectedRowsUntilAllAreAskedFor)
{
    ProbeLayer layer;
    load(layer, linesAfterOneOnRowFour(2000));
    ASSERT_GT(layer.m_segments.size(), static_cast<size_t>(ProbeLayer::kDenseLinesPerColumn * kWidth));
    EXPECT_EQ(painted(layer), 0) << "a wall of lines is drawn with nothing selected";

    // Selected, it is the one line drawn: all its pixels lie on row 4.
    layer.m_selectedId = 0;
    const int focused = painted(layer);
    EXPECT_GT(focused, 0);
    EXPECT_EQ(painted(layer, 0, 4 * kRowHeight), 0);

    layer.handleLegendPopupMenu(1);
    const int all = painted(layer);
    EXPECT_GT(all, focused) << "the legend's command did not bring every line back";
    layer.handleLegendPopupMenu(1);
    EXPECT_EQ(painted(layer), focused);
}

TEST_F(TransitionDensity, FocusedLinesCarryAnArrowHeadAtTheirDestination)
{
    ProbeLayer layer;
    load(layer, linesAfterOneOnRowFour(2000));
    layer.m_selectedId = 0;
    paint(layer);
    // The head widens the line just before its end, and not just after its start.
    EXPECT_NE(pixel(x(600) - 7, kRowFourCentre - 3), kWhite);
    EXPECT_EQ(pixel(x(100) + 7, kRowFourCentre - 3), kWhite);
    EXPECT_NE(pixel(x(350), kRowFourCentre), kWhite) << "the line itself";
}

TEST_F(TransitionDensity, BatchesOfASetBoundToBeDenseLeaveOutTheUnfocusedLines)
{
    // The first batch keeps enough distinct lines to make the whole set dense: drawing them would
    // only mean drawing the graph again without them once the set is complete.
    ProbeLayer layer;
    load(layer, linesAfterOneOnRowFour(6000));
    layer.m_selectedId = 0;
    m_dc.SetBackground(*wxWHITE_BRUSH);
    m_dc.Clear();
    layer.updateData(m_dc, true);
    ASSERT_LE(layer.m_segments.size(), static_cast<size_t>(ProbeLayer::kDenseLinesPerColumn * kWidth));
    EXPECT_NE(pixel(x(350), kRowFourCentre), kWhite) << "the focused line";
    EXPECT_EQ(paintedPixels(0, 4 * kRowHeight), 0) << "unfocused lines";
    tickUntilDone(layer);
    EXPECT_GT(layer.m_segments.size(), static_cast<size_t>(ProbeLayer::kDenseLinesPerColumn * kWidth));
}

TEST_F(TransitionDensity, SparseLinesAreAllDrawnWithoutSelection)
{
    ProbeLayer layer;
    load(layer, distinctLines(100));
    EXPECT_GT(painted(layer), 0);
}

} // namespace
