#include <mirrow2/variant_bag_t.h>
#include <mirrow2/variant_t.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using mirrow2::variant_bag_t;
using mirrow2::variant_t;

TEST(Variant, NumericGettersConvertAndClamp)
{
    EXPECT_EQ(variant_t(std::int32_t{-5}).get_int64(), -5);
    EXPECT_EQ(variant_t(std::int32_t{-5}).get_uint32(), 0u);
    EXPECT_EQ(variant_t(std::numeric_limits<std::uint64_t>::max()).get_int32(),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(variant_t(std::numeric_limits<std::int64_t>::min()).get_int32(),
              std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(variant_t(3.9).get_int32(), 3);
    EXPECT_EQ(variant_t(1e300).get_uint64(), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(variant_t(std::nan("")).get_int64(), 0);
    EXPECT_EQ(variant_t(true).get_uint32(), 1u);
    EXPECT_TRUE(variant_t(0.5).get_bool());
    EXPECT_EQ(variant_t(L"12").get_int32(), 0) << "text is not parsed by the plain getters";
    EXPECT_EQ(variant_t().get_double(), 0.0);
}

TEST(Variant, KindsTextAndEquality)
{
    const variant_t empty;
    EXPECT_EQ(variant_t(std::size_t{1}).type(), variant_t::type_t::uint64);
    EXPECT_EQ(variant_t(7).get_text(), L"") << "get_text does not format numbers";
    EXPECT_EQ(variant_t(0.1).to_text(), L"0.1");
    EXPECT_EQ(variant_t(-3).to_text(), L"-3");
    EXPECT_EQ(variant_t(false).to_text(), L"false");

    EXPECT_EQ(variant_t(L"x"), variant_t(std::wstring(L"x")));
    EXPECT_NE(variant_t(1), variant_t(std::int64_t{1})) << "equality includes the kind";
    EXPECT_NE(empty, variant_t(L""));
    EXPECT_EQ(empty, variant_t());
}

variant_bag_t sampleBag()
{
    variant_bag_t bag(L"area");
    bag.add_value(L"name", L"first");
    bag.add_value(L"mode", 2);
    bag.add_value(L"name", L"second");
    bag.add_bag(variant_bag_t(L"rowSet")).add_value(L"id", 1);
    bag.add_bag(variant_bag_t(L"layer"));
    bag.add_bag(variant_bag_t(L"rowSet")).add_value(L"id", 2);
    return bag;
}

TEST(VariantBag, KeepsInsertionOrderWithRepeatedNames)
{
    const variant_bag_t bag = sampleBag();
    EXPECT_EQ(bag.name(), L"area");
    EXPECT_EQ(bag.get_value(L"name"), variant_t(L"first")) << "lookup finds the first of a name";
    ASSERT_EQ(bag.values().size(), 3u);
    EXPECT_EQ(bag.values()[2].second, variant_t(L"second"));
    EXPECT_EQ(bag.first_value(), variant_t(L"first"));

    ASSERT_EQ(bag.bags().size(), 3u);
    EXPECT_EQ(bag.bags()[0].name(), L"rowSet");
    EXPECT_EQ(bag.bags()[1].name(), L"layer");
    EXPECT_EQ(bag.bags()[2].get_value(L"id"), variant_t(2));
    EXPECT_EQ(bag.get_bag(L"rowSet").get_value(L"id"), variant_t(1));
}

TEST(VariantBag, MissingEntriesGiveTheirDefaults)
{
    const variant_bag_t bag = sampleBag();
    EXPECT_FALSE(bag.has_value(L"missing"));
    EXPECT_TRUE(bag.get_value(L"missing").is_empty());
    EXPECT_EQ(bag.get_value(L"missing", 5), variant_t(5));
    EXPECT_FALSE(bag.has_bag(L"ruler"));
    EXPECT_EQ(bag.find_bag(L"ruler"), nullptr);
    EXPECT_EQ(bag.get_bag(L"ruler", variant_bag_t(L"fallback")).name(), L"fallback");

    const variant_bag_t nothing;
    EXPECT_TRUE(nothing.empty());
    EXPECT_TRUE(nothing.first_value().is_empty());
}

} // namespace
