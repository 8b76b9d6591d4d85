#include <ddb_2_2/string.h>
#include <ddb_2_2/variant.h>

#include <gtest/gtest.h>

#include "TempDir.h"

#include <fstream>

using ddb_2_2::byte_block;
using ddb_2_2::string;
using ddb_2_2::variant;

TEST(EngineString, Utf8RoundTripCoversEveryEncodedLength)
{
    const string text(L"a\u00e9\u20ac\U0001F600z");
    const std::string utf8 = text.to_utf8();
    EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
    EXPECT_EQ(string::from_utf8(utf8), text);
}

TEST(EngineString, MalformedUtf8BecomesReplacementCharacters)
{
    // A stray continuation byte, an overlong slash, a truncated three-byte sequence (one
    // replacement for the whole broken sequence).
    EXPECT_EQ(string::from_utf8("a\x80" "b").str(), L"a\uFFFDb");
    EXPECT_EQ(string::from_utf8("\xC0\xAF").str(), L"\uFFFD\uFFFD");
    EXPECT_EQ(string::from_utf8("x\xE2\x82").str(), L"x\uFFFD");
    // A lone surrogate cannot be encoded either.
    EXPECT_EQ(string(std::wstring(1, wchar_t(0xD800))).to_utf8(), "\xEF\xBF\xBD");
}

TEST(EngineString, ExistTellsWhetherThePathIsThere)
{
    TempDir dir;
    const string file = string(dir.wide()) + string(L"/f\u00e9.ddb");
    EXPECT_FALSE(file.exist());
    std::ofstream(dir.path() / std::filesystem::u8path(u8"f\u00e9.ddb")) << "x";
    EXPECT_TRUE(file.exist());
    EXPECT_TRUE(string(dir.wide()).exist());
    EXPECT_FALSE(string().exist());
}

TEST(EngineVariant, EachPayloadKeepsItsTagAndValue)
{
    EXPECT_EQ(variant(true).get_type(), variant::type_bool);
    EXPECT_TRUE(variant(true).get_bool());
    EXPECT_EQ(variant(std::int32_t(-7)).get_int32(), -7);
    EXPECT_EQ(variant(std::uint32_t(7)).get_type(), variant::type_uint32);
    EXPECT_EQ(variant(std::int64_t(-5'000'000'000)).get_int64(), -5'000'000'000);
    EXPECT_EQ(variant(~std::uint64_t(0)).get_uint64(), ~std::uint64_t(0));
    EXPECT_EQ(variant(2.5).get_double(), 2.5);
    EXPECT_EQ(variant(L"name").get_string(), string(L"name"));
    EXPECT_EQ(variant(byte_block{1, 2, 3}).get_byte_block(), (byte_block{1, 2, 3}));
    EXPECT_TRUE(variant().is_nil());
    EXPECT_EQ(variant().get_type(), variant::type_nil);
    // A read of another type gives that type's zero instead of failing.
    EXPECT_EQ(variant(2.5).get_int32(), 0);
    EXPECT_TRUE(variant(2.5).get_byte_block().empty());
}

TEST(EngineVariant, OfTypeKeepsEveryStoredTag)
{
    for (int tag = 0; tag <= variant::type_last; ++tag)
        EXPECT_EQ(variant::of_type(std::uint8_t(tag)).get_type(), tag) << tag;
    EXPECT_TRUE(variant::of_type(3).is_nil());
    EXPECT_FALSE(variant::of_type(variant::type_double).is_nil());
    EXPECT_EQ(variant::of_type(40).get_type(), variant::type_nil);
    const variant narrow = variant::text(L"t", variant::type_narrow_string);
    EXPECT_EQ(narrow.get_type(), variant::type_narrow_string);
    EXPECT_EQ(narrow.get_string(), string(L"t"));
    EXPECT_NE(narrow, variant(L"t"));
    // Order is by tag first: any int32 sorts before any uint32.
    EXPECT_LT(variant(std::int32_t(99)), variant(std::uint32_t(0)));
    EXPECT_LT(variant(L"a"), variant(L"b"));
    EXPECT_NE(variant::of_type(4), variant::of_type(5));
}

TEST(EngineVariant, ConvertsToNumbersAndText)
{
    double out = -1;
    EXPECT_TRUE(variant(std::uint64_t(42)).to_double(out));
    EXPECT_EQ(out, 42.0);
    EXPECT_TRUE(variant(L"1.5").to_double(out));
    EXPECT_EQ(out, 1.5);
    out = -1;
    EXPECT_FALSE(variant(L"1.5x").to_double(out));
    EXPECT_FALSE(variant().to_double(out));
    EXPECT_FALSE(variant(byte_block{1}).to_double(out));
    EXPECT_EQ(out, -1);
    EXPECT_EQ(variant(std::int32_t(-3)).to_string(), string(L"-3"));
    EXPECT_EQ(variant(false).to_string(), string(L"false"));
    EXPECT_EQ(variant(0.25).to_string(), string(L"0.25"));
    EXPECT_EQ(variant().to_string(), string());
}
