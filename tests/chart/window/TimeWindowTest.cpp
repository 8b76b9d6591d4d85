#include "TimeWindow.h"

#include <gtest/gtest.h>

using tarquel_1_0::TimeWindow;

TEST(TimeWindow, ZoomKeepsTheAnchorAtItsPlace)
{
    const TimeWindow view{1000, 2000};
    const TimeWindow in = view.zoomedAround(1250, 0.5, 10000);
    EXPECT_EQ(in.start, 1125u);
    EXPECT_EQ(in.end, 1625u);
    // Zooming back out by the inverse factor around the same time returns the old window.
    EXPECT_EQ(in.zoomedAround(1250, 2.0, 10000), view);
}

TEST(TimeWindow, ZoomStaysInsideTheDataAndNeverCollapses)
{
    const TimeWindow view{0, 1000};
    EXPECT_EQ(view.zoomedAround(900, 4.0, 2500), (TimeWindow{0, 2500}));
    EXPECT_EQ((TimeWindow{2000, 2400}).zoomedAround(2000, 2.0, 2500), (TimeWindow{1700, 2500}));
    const TimeWindow tiny = view.zoomedAround(500, 1e-6, 2500);
    EXPECT_EQ(tiny.end - tiny.start, 1u);
    EXPECT_LE(tiny.start, 500u);
    EXPECT_GE(tiny.end, 500u);
    // An anchor outside the window is taken at the nearest edge.
    EXPECT_EQ(view.zoomedAround(5000, 0.5, 2500), (TimeWindow{500, 1000}));
}

TEST(TimeWindow, PanMovesByAShareOfTheSpanAndStopsAtTheEnds)
{
    const TimeWindow view{1000, 2000};
    EXPECT_EQ(view.panned(0.2, 10000), (TimeWindow{1200, 2200}));
    EXPECT_EQ(view.panned(-5.0, 10000), (TimeWindow{0, 1000}));
    EXPECT_EQ(view.panned(50.0, 2500), (TimeWindow{1500, 2500}));
}

TEST(TimeWindow, EmptyWindowIsLeftAlone)
{
    const TimeWindow empty{5, 5};
    EXPECT_EQ(empty.zoomedAround(5, 0.5, 100), empty);
    EXPECT_EQ(empty.panned(1.0, 100), empty);
}
