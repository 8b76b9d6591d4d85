#include <VORN_2_9/convert.h>
#include <VORN_2_9/strings.h>
#include <VORN_2_9/varg_list.h>
#include <VORN_2_9/variant.h>
#include <mirrow2/variant_t.h>
#include <pendrel_2_0/CommonMessage.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using Parts = std::vector<std::wstring>;
using VORN_2_9::strings::split_string;

TEST(SplitString, KeepsEmptyPartsSoSeparatorsCountParts)
{
    EXPECT_EQ(split_string(L"timeline.viewpoint", L"."), (Parts{L"timeline", L"viewpoint"}));
    EXPECT_EQ(split_string(L"a..b", L"."), (Parts{L"a", L"", L"b"}));
    EXPECT_EQ(split_string(L".a.", L"."), (Parts{L"", L"a", L""}));
    EXPECT_EQ(split_string(L"", L"."), (Parts{L""})) << "empty input is one empty part";
    EXPECT_EQ(split_string(L"plain", L"."), (Parts{L"plain"}));
    EXPECT_EQ(split_string(L"a::b:c", L"::"), (Parts{L"a", L"b:c"}));
    EXPECT_EQ(split_string(L"a.b", L""), (Parts{L"a.b"}));
}

TEST(Utf8, RoundTripsAndDropsInvalidBytes)
{
    using namespace VORN_2_9::strings;
    EXPECT_EQ(to_utf8(L"caf\u00e9 \U0001F600"), "caf\xc3\xa9 \xf0\x9f\x98\x80");
    EXPECT_EQ(from_utf8(to_utf8(L"caf\u00e9 \U0001F600")), L"caf\u00e9 \U0001F600");
    EXPECT_EQ(from_utf8("a\xff" "b"), L"ab");
    EXPECT_EQ(trim(L" \t a b \n"), L"a b");
}

// The parsed value as text, or "fail" when parsing failed and reset the value to 0.
template <class Number>
std::string parsed(bool (*parse)(const std::wstring&, Number&), const std::wstring& text)
{
    Number value = 77; // a stale value must be overwritten even on failure
    if (parse(text, value))
        return std::to_string(value);
    return value == 0 ? "fail" : "fail, left " + std::to_string(value);
}
std::string u8(const std::wstring& text) { return parsed(VORN_2_9::generic::convert::str_to_uint8, text); }
std::string u32(const std::wstring& text) { return parsed(VORN_2_9::generic::convert::str_to_uint32, text); }

TEST(Convert, DecimalHexSpacesAndLimits)
{
    EXPECT_EQ(u8(L" 255 "), "255");
    EXPECT_EQ(u8(L"0xfF"), "255");
    EXPECT_EQ(u8(L"256"), "fail");
    EXPECT_EQ(u8(L"0x100"), "fail");
    EXPECT_EQ(u32(L"256"), "256");
    EXPECT_EQ(u32(L"\t0X10\n"), "16");
    EXPECT_EQ(u32(L"4294967295"), "4294967295");
    EXPECT_EQ(u32(L"0xFFFFFFFF"), "4294967295");
    for (const wchar_t* text : {L"", L"   ", L"0x", L"-1", L"+1", L"12a", L"1 2", L"0x1g", L"ff",
                                L"4294967296", L"0x100000000", L"99999999999999999999999"}) {
        EXPECT_EQ(u32(text), "fail") << "\"" << VORN_2_9::strings::to_utf8(text) << "\"";
        EXPECT_EQ(u8(text), "fail");
    }
}

TEST(AsInt, ParsesDecimalTextAndConvertsNumbers)
{
    using VORN_2_9::types::variant::as_int;
    using mirrow2::variant_t;
    EXPECT_EQ(as_int(variant_t(L" 42 ")), 42);
    EXPECT_EQ(as_int(variant_t(L"-7")), -7);
    EXPECT_EQ(as_int(variant_t(L"1")), 1);
    // Anything that is not a whole decimal integer gives 0.
    EXPECT_EQ(as_int(variant_t(L"1.5")), 0);
    EXPECT_EQ(as_int(variant_t(L"0x10")), 0);
    EXPECT_EQ(as_int(variant_t(L"abc")), 0);
    EXPECT_EQ(as_int(variant_t(L"")), 0);
    EXPECT_EQ(as_int(variant_t(L"99999999999999999999")), 0);
    EXPECT_EQ(as_int(variant_t()), 0);
    EXPECT_EQ(as_int(variant_t(2.9)), 2);
    EXPECT_EQ(as_int(variant_t(true)), 1);
    EXPECT_EQ(as_int(variant_t(std::numeric_limits<std::uint64_t>::max())),
              std::numeric_limits<std::int64_t>::max());
}

TEST(VargList, LongestPlaceholderWins)
{
    VORN_2_9::generic::varg_list args;
    for (int i = 1; i <= 10; ++i)
        args.add(L"v" + std::to_wstring(i));
    EXPECT_EQ(args.format(L"%1,%10,%2"), L"v1,v10,v2");
    EXPECT_EQ(args.format(L"%11"), L"v11") << "%11 is %1 followed by 1 when there is no %11";
    EXPECT_EQ(args.format(L"100% of %x and %"), L"100% of %x and %");
}

TEST(VargList, NamedValuesNumbersAndNoRescanning)
{
    VORN_2_9::generic::varg_list args;
    args.add(L"%2").add(3).add(2.5).set(L"layer", L"CPU");
    args.set(L"layer", L"Wait");
    EXPECT_EQ(args.size(), 4u);
    EXPECT_EQ(args.format(L"%1|%2|%3|%layer"), L"%2|3|2.5|Wait");
    EXPECT_EQ(*args.find(L"layer"), L"Wait");
    EXPECT_EQ(args.find(L"none"), nullptr);
    EXPECT_EQ(VORN_2_9::generic::varg_list().format(L"%1 stays"), L"%1 stays");
}

TEST(CommonMessage, KnownKeysHaveLabelsUnknownKeysStay)
{
    EXPECT_EQ(pendrel_2_0::getCommonMessage(L"%UpdateHighlighting"), L"Update Highlighting");
    EXPECT_EQ(pendrel_2_0::getCommonMessage(L"%NoSuchKey"), L"%NoSuchKey");
}

} // namespace
