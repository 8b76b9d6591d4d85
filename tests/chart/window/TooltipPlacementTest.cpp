#include "TooltipPlacement.h"

#include <gtest/gtest.h>

using tarquel_1_0::TooltipPlacement;

namespace {
const wxRect kScreen(0, 0, 1000, 800);
const wxSize kTip(200, 60);

// What every placement keeps: off the pointer and on the screen.
void expectClearAndOnScreen(const wxPoint& corner, const wxSize& tip, const wxPoint& pointer)
{
    const wxRect rect(corner, tip);
    EXPECT_FALSE(rect.Contains(pointer)) << pointer.x << "," << pointer.y;
    EXPECT_TRUE(kScreen.Contains(rect)) << pointer.x << "," << pointer.y;
}
} // namespace

TEST(TooltipPlacement, BelowRightOfThePointerUnlessTheScreenEndsThere)
{
    const TooltipPlacement placement(kScreen);
    EXPECT_EQ(placement.place(kTip, {100, 100}), wxPoint(112, 120));
    // The right edge puts it to the left, the bottom edge above, both the top-left corner.
    EXPECT_EQ(placement.place(kTip, {900, 100}), wxPoint(696, 120));
    EXPECT_EQ(placement.place(kTip, {100, 760}), wxPoint(112, 696));
    EXPECT_EQ(placement.place(kTip, {990, 790}), wxPoint(786, 726));
    for (const wxPoint pointer : {wxPoint(0, 0), wxPoint(999, 0), wxPoint(0, 799), wxPoint(999, 799), wxPoint(500, 400),
                                  wxPoint(790, 730), wxPoint(200, 760)})
        expectClearAndOnScreen(placement.place(kTip, pointer), kTip, pointer);
}

TEST(TooltipPlacement, ATipTallerThanTheRoomAboveAndBelowGoesBesideThePointer)
{
    const TooltipPlacement placement(kScreen);
    const wxSize tall(200, 700);
    for (const wxPoint pointer : {wxPoint(100, 400), wxPoint(900, 400), wxPoint(950, 150)})
        expectClearAndOnScreen(placement.place(tall, pointer), tall, pointer);
}
