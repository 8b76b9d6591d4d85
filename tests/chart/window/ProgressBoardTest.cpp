#include "ProgressBoard.h"

#include <gtest/gtest.h>

using tarquel_1_0::ProgressBoard;

TEST(ProgressBoard, ListsLoadingLayersInStartOrderWithPercentOrCounters)
{
    ProgressBoard board;
    int a = 0;
    int b = 0;
    int c = 0;
    board.update({&a, "CPU", "Loading data", 0, 1, 40});
    board.update({&b, "Markers", "", 3, 8, -1});
    board.update({&c, "Single", "", 0, 1, -1});
    EXPECT_EQ(board.describe(), "Loading data: CPU 40% | Markers 3/8 | Single");

    // An update keeps the entry's place; a finished query shows the counters until applied.
    board.update({&a, "CPU", "Loading data", 0, 1, 100});
    EXPECT_EQ(board.describe(), "Loading data: CPU | Markers 3/8 | Single");
}

TEST(ProgressBoard, FinishedOrRemovedLayersDisappear)
{
    ProgressBoard board;
    int a = 0;
    int b = 0;
    board.update({&a, "CPU", "", 0, 1, 10});
    board.update({&b, "Markers", "", 1, 2, -1});
    board.update({&a, "CPU", "", 0, 0, -1});
    EXPECT_EQ(board.describe(), "Markers 1/2");
    board.remove(&b);
    EXPECT_TRUE(board.empty());
    EXPECT_EQ(board.describe(), "");
    // A layer that reports "idle" without ever loading leaves no entry.
    board.update({&a, "CPU", "", 0, 0, -1});
    EXPECT_TRUE(board.empty());
}
