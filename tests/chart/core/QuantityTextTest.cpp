// Durations, shares and numbers as the ruler and tooltips print them.
#include <tarquel_1_0/QuantityText.h>

#include <gtest/gtest.h>

#include <cmath>

namespace tarquel_1_0 {
namespace {

TEST(QuantityTextTest, DurationsTakeTheLargestUnitThatKeepsTheValueAtLeastOne)
{
    const struct {
        double nanoseconds;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 ns"},          {1, L"1 ns"},           {999, L"999 ns"},        {1000, L"1 \u00b5s"},
        {1500, L"1.5 \u00b5s"}, {12345, L"12.3 \u00b5s"}, {1e6, L"1 ms"},        {999.6e3, L"1 ms"},
        {123456789, L"123 ms"}, {1.5e9, L"1.5 s"},       {3725e9, L"3730 s"}, {-2.5e6, L"-2.5 ms"},
        {0.25, L"0.25 ns"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(durationText(c.nanoseconds), wxString(c.text)) << c.nanoseconds;
}

TEST(QuantityTextTest, SignificantDigitsRoundSharesAndNumbers)
{
    EXPECT_EQ(percentText(12.345), L"12.3%");
    EXPECT_EQ(percentText(100), L"100%");
    EXPECT_EQ(percentText(0.01234), L"0.0123%");
    EXPECT_EQ(numberText(99999), L"100000");
    EXPECT_EQ(numberText(1234.5, 5), L"1234.5");
    EXPECT_EQ(durationText(1234567, 5), L"1.2346 ms");
    EXPECT_EQ(numberText(std::nan("")), L"NaN");
}

} // namespace
} // namespace tarquel_1_0
