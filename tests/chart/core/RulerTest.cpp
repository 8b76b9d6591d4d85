#include <tarquel_1_0/Ruler.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

using namespace tarquel_1_0;

namespace {

class RulerTest : public ::testing::Test {
protected:
    RulerTest()
    {
        m_ruler.setDuration(1000);
        m_ruler.setPixelWidth(100);
        m_ruler.addListener([this](Ruler::Change change) { m_changes.push_back(change); });
    }

    Ruler m_ruler;
    std::vector<Ruler::Change> m_changes;
};

TEST_F(RulerTest, TimesAndColumnsMapBothWays)
{
    EXPECT_EQ(0, m_ruler.xFromTime(0, false));
    EXPECT_EQ(99, m_ruler.xFromTime(1000, false)) << "the end falls in the last column";
    EXPECT_EQ(0, m_ruler.xFromTime(10, false));
    EXPECT_EQ(1, m_ruler.xFromTime(11, false));
    for (int x = 1; x < 100; ++x) {
        EXPECT_EQ(x, m_ruler.xFromTime(m_ruler.timeFromX(x), false)) << x;
        EXPECT_EQ(x - 1, m_ruler.xFromTime(m_ruler.timeFromX(x).GetValue() - 1, false)) << x;
    }
    EXPECT_EQ(1000u, m_ruler.timeFromX(500).GetValue()) << "clamped to the data";

    m_ruler.setVisibleRange(500, 599, false);
    EXPECT_EQ(-50, m_ruler.xFromTime(450, false));
    EXPECT_EQ(100, m_ruler.xFromTime(600, false));
    const wxULongLong far = wxULongLong(0xFFFFFFFFFFFFull);
    EXPECT_EQ(100 + Ruler::LIMIT_PIXELS, m_ruler.xFromTime(far, true));
    EXPECT_GT(m_ruler.xFromTime(far, false), 100 + Ruler::LIMIT_PIXELS);
    EXPECT_EQ(10u, m_ruler.getMarkerMargin().GetValue()) << "ten columns of one nanosecond";
}

// Columns are floor((t - start) * width / span) exactly, wherever the view is and however far
// the time: checked against whole-number division over views from a few nanoseconds to days.
TEST_F(RulerTest, ColumnsAreExactForAnyViewAndTime)
{
    std::mt19937_64 random(11);
    Ruler ruler;
    ruler.setDuration(400000000000000ull);
    for (int view = 0; view < 200; ++view) {
        const int width = 1 + static_cast<int>(random() % 4000);
        ruler.setPixelWidth(width);
        const std::uint64_t start = random() % 300000000000000ull;
        const std::uint64_t span = std::uint64_t(1) << (random() % 46);
        ruler.setVisibleRange(start, start + span, false);
        const std::uint64_t shownStart = ruler.getStart().GetValue();
        const __int128 shown = static_cast<__int128>(ruler.getEnd().GetValue() - shownStart) + 1;
        for (int i = 0; i < 200; ++i) {
            // Times around the view and at column edges, where rounding would show.
            const std::uint64_t t = i % 2 ? shownStart + static_cast<std::uint64_t>(shown * (random() % width) / width)
                                          : random() % 400000000000000ull;
            for (const std::uint64_t time : {t, t + 1, t > 0 ? t - 1 : t}) {
                const __int128 scaled = (static_cast<__int128>(time) - shownStart) * width;
                __int128 exact = scaled / shown;
                if (scaled % shown != 0 && scaled < 0)
                    --exact;
                const __int128 limited = std::clamp<__int128>(exact, -Ruler::LIMIT_PIXELS, width + Ruler::LIMIT_PIXELS);
                const __int128 unlimited = std::clamp<__int128>(exact, INT_MIN, INT_MAX);
                ASSERT_EQ(static_cast<int>(limited), ruler.xFromTime(time, true)) << time << " in view " << view;
                ASSERT_EQ(static_cast<int>(unlimited), ruler.xFromTime(time, false)) << time << " in view " << view;
            }
        }
    }
}

TEST_F(RulerTest, ZoomHistoryReturnsStepByStep)
{
    EXPECT_FALSE(m_ruler.canZoomSelection());
    EXPECT_FALSE(m_ruler.canZoomUndo());
    EXPECT_FALSE(m_ruler.canZoomReset());

    m_ruler.setSelection(700, 200, true);
    EXPECT_EQ(200u, m_ruler.getSelectionStart().GetValue());
    ASSERT_TRUE(m_ruler.canZoomSelection());
    m_ruler.zoomSelection();
    EXPECT_EQ(200u, m_ruler.getStart().GetValue());
    EXPECT_EQ(700u, m_ruler.getEnd().GetValue());
    EXPECT_FALSE(m_ruler.hasRulerSelection());

    m_ruler.setSelection(300, 400, false);
    m_ruler.zoomSelection();
    m_ruler.zoomReset();
    EXPECT_EQ(0u, m_ruler.getStart().GetValue());
    EXPECT_FALSE(m_ruler.canZoomReset());

    const std::vector<std::pair<unsigned, unsigned>> back = {{300, 400}, {200, 700}, {0, 1000}};
    for (const auto& view : back) {
        ASSERT_TRUE(m_ruler.canZoomUndo());
        m_ruler.zoomUndo();
        EXPECT_EQ(view.first, m_ruler.getStart().GetValue());
        EXPECT_EQ(view.second, m_ruler.getEnd().GetValue());
    }
    EXPECT_FALSE(m_ruler.canZoomUndo());
}

TEST_F(RulerTest, RangesStayInsideTheDataAndWideEnough)
{
    m_ruler.setVisibleRange(990, 995, true);
    EXPECT_EQ(901u, m_ruler.getStart().GetValue()) << "widened to one nanosecond per column";
    EXPECT_EQ(1000u, m_ruler.getEnd().GetValue());
    m_ruler.setVisibleRange(5000, 4000, false);
    EXPECT_EQ(1000u, m_ruler.getEnd().GetValue());
    m_ruler.setSelection(300, 300, true);
    EXPECT_FALSE(m_ruler.hasRulerSelection());
    EXPECT_FALSE(m_ruler.canZoomSelection());
}

TEST_F(RulerTest, ListenersHearRangeSelectionFrameAndSortChanges)
{
    m_ruler.setVisibleRange(0, 500, true);
    m_ruler.setVisibleRange(0, 500, true); // no change, no news
    m_ruler.setSelection(10, 20, false);
    m_ruler.setSelection(10, 30, true);
    m_ruler.setFrameAnchorPos(3, 9);
    m_ruler.setFrameAnchorPos(3, 9);
    EXPECT_TRUE(m_ruler.hasFrameAnchor());
    m_ruler.setFrameAnchorPos(-1, -1);
    EXPECT_FALSE(m_ruler.hasFrameAnchor());
    m_ruler.sortOrderChanged();
    using C = Ruler::Change;
    EXPECT_EQ((std::vector<C>{C::Range, C::Selection, C::FrameAnchor, C::FrameAnchor, C::SortOrder}), m_changes);
}

TEST_F(RulerTest, TimeTextShowsWhatAColumnResolves)
{
    m_ruler.setDecimalSeparator(",");
    m_ruler.setDuration(10000000000ull); // 10 s over 100 columns: 0.1 s each
    EXPECT_EQ("1,2 s", m_ruler.timeToLimitedString(1234567891ull));
    m_ruler.setPixelWidth(1000); // 10 ms
    EXPECT_EQ("1,23 s", m_ruler.timeToLimitedString(1234567891ull));
    m_ruler.setVisibleRange(0, 999, false); // 1 ns
    EXPECT_EQ("1,234567891 s", m_ruler.timeToLimitedString(1234567891ull));
    m_ruler.setDuration(1000000000000ull);
    m_ruler.setPixelWidth(10); // 100 s
    EXPECT_EQ("12 s", m_ruler.timeToLimitedString(12345678912ull));
}

} // namespace
