#include "pane/LayerLocation.h"
#include "pane/TableCheck.h"

#include "provider/SarvikDataSource.h"

#include <gtest/gtest.h>

namespace velmora_1_0 {
namespace {

TEST(LayerLocation, RulerFormWhenAreaOrRowSetIsMissing)
{
    EXPECT_EQ(LayerLocation(2, 3, 4).text(), "area instance 2, rowSet instance 3, layer instance 4");
    EXPECT_EQ(LayerLocation(0, 0, 4).text(), "under <ruler>, layer instance 4");
    EXPECT_EQ(LayerLocation(1, 0, 2).text(), "under <ruler>, layer instance 2");
    EXPECT_EQ(LayerLocation(0, 1, 2).text(), "under <ruler>, layer instance 2");
}

TEST(TableCheck, WarnsOncePerMissingTableAndKeepsEarlierMessages)
{
    SarvikDataSource source;
    std::vector<wxString> errors{"earlier"};
    EXPECT_FALSE(TableCheck::check(source, "<drawBy>", "under <ruler>, layer instance 1", errors));
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[1],
              "Timeline: No attribute table specified for <drawBy>, under <ruler>, layer instance 1. Area may appear "
              "empty.");
    EXPECT_EQ(errors[2],
              "Timeline: No instance table specified for <drawBy>, under <ruler>, layer instance 1. Area may appear "
              "empty.");

    source.attributeTable = "dd_thread";
    errors.clear();
    EXPECT_FALSE(TableCheck::check(source, "<drawBy>", "x", errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].StartsWith("Timeline: No instance table"));

    source.instanceTable = "dd_band";
    errors.clear();
    EXPECT_TRUE(TableCheck::check(source, "<drawBy>", "x", errors));
    EXPECT_TRUE(errors.empty());
}

} // namespace
} // namespace velmora_1_0
