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

TEST(QuantityTextTest, ValuesReadInTheUnitTheDataNames)
{
    const struct {
        double value;
        const wchar_t* unit;
        const wchar_t* text;
    } cases[] = {
        {1500, L"ns", L"1.5 \u00b5s"},    {2.5, L"ms", L"2.5 ms"},       {12.345, L"us", L"12.3 \u00b5s"},
        {0.5, L"s", L"500 ms"},           {42.25, L"percent", L"42.3%"}, {7, L"%", L"7%"},
        {999, L"bytes", L"999 B"},        {999.6e3, L"bytes", L"1 MB"},  {1.36e9, L"B", L"1.36 GB"},
        {-2048, L"bytes", L"-2.05 kB"},   {12.34, L"frames", L"12.3 frames"}, {1234.5, L"", L"1230"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quantityText(c.value, c.unit), wxString(c.text)) << c.value << " " << wxString(c.unit);
}

TEST(QuantityTextTest, TicksShareTheUnitOfTheLargestAndTellNeighboursApart)
{
    // A millisecond step over ten milliseconds reads "1 ms", never "0.001000 s".
    EXPECT_EQ(tickText(1000000, 1000000, 10000000), L"1 ms");
    EXPECT_EQ(tickText(0, 500000, 10000000), L"0 ms");
    EXPECT_EQ(tickText(1500000, 500000, 10000000), L"1.5 ms");
    // Once the view reaches seconds, every label is in seconds.
    EXPECT_EQ(tickText(500000000, 500000000, 10000000000), L"0.5 s");
    EXPECT_EQ(tickText(7000000000, 1000000000, 10000000000), L"7 s");
    // Deep in a long trace, neighbours 200 ns apart still differ.
    EXPECT_EQ(tickText(5000001200, 200, 5000002000), L"5.0000012 s");
    EXPECT_EQ(tickText(5000001400, 200, 5000002000), L"5.0000014 s");
    EXPECT_EQ(tickText(20, 10, 90), L"20 ns");
}

} // namespace
} // namespace tarquel_1_0
