#include "LegendFlow.h"

#include <gtest/gtest.h>

using tarquel_1_0::LegendFlow;

TEST(LegendFlow, ItemsWrapWhereTheLineIsFullAndWhereTheyAskFor)
{
    LegendFlow flow(2);
    flow.add({100, 20}, false);
    flow.add({100, 16}, false);
    flow.add({100, 20}, false);
    flow.add({50, 20}, true);
    // 104 pixels per item with margins: two fit in 220, the third wraps, the fourth asks for a line.
    EXPECT_EQ(flow.place(220), (std::vector<wxPoint>{{2, 2}, {106, 4}, {2, 26}, {2, 50}}));
    EXPECT_EQ(flow.heightFor(220), 72);
    // Wide enough for all: only the requested break remains.
    EXPECT_EQ(flow.place(1000), (std::vector<wxPoint>{{2, 2}, {106, 4}, {210, 2}, {2, 26}}));
    EXPECT_EQ(flow.heightFor(1000), 48);
    EXPECT_EQ(flow.narrowestWidth(), 104);
}

TEST(LegendFlow, AnItemWiderThanTheLegendHasALineOfItsOwn)
{
    LegendFlow flow(2);
    EXPECT_EQ(flow.heightFor(300), 0);
    flow.add({40, 20}, false);
    flow.add({500, 20}, false);
    flow.add({40, 20}, false);
    EXPECT_EQ(flow.place(300), (std::vector<wxPoint>{{2, 2}, {2, 26}, {2, 50}}));
    EXPECT_EQ(flow.heightFor(300), 72);
    flow.clear();
    EXPECT_EQ(flow.heightFor(300), 0);
}
