#include "job/number_format.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace dravenor {
namespace {

TEST(GeneralFormat, WritesShortestTextUpToFifteenDigits)
{
    EXPECT_EQ(formatGeneral(0.5), "0.5");
    EXPECT_EQ(formatGeneral(-12), "-12");
    EXPECT_EQ(formatGeneral(1234.125), "1234.125");
    EXPECT_EQ(formatGeneral(100), "100");
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatGeneral(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(formatGeneral(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(formatGeneral(-2.0 / 3.0 * 1000), "-666.666666666667");
    EXPECT_EQ(formatGeneral(1e14), "100000000000000");
    EXPECT_EQ(formatGeneral(0.00025), "0.00025");
}

TEST(GeneralFormat, NegativeZeroAndRoundingNoiseBecomeZero)
{
    EXPECT_EQ(formatGeneral(-0.0), "0");
    EXPECT_EQ(formatGeneral(0), "0");
    EXPECT_EQ(formatGeneral(99.99999999999999), "100");
}

TEST(GeneralFormat, ExtremeMagnitudesUseAnExponentThatReadsBack)
{
    EXPECT_EQ(formatGeneral(1.5e20), "1.5E+20");
    EXPECT_EQ(formatGeneral(-2e-7), "-2E-07");
    for (double value : {1.5e20, -2e-7, 123456.789012345, -0.000123})
        EXPECT_DOUBLE_EQ(leadingNumber(formatGeneral(value)), value) << value;
}

struct MaskCase {
    double value;
    const char* mask;
    const char* expected;
};

TEST(MaskFormat, MasksOfTheProgram)
{
    const MaskCase cases[] = {
        {0.5, ".00", ".50"},           {12.5, ".00", "12.50"},        {0, ".00", ".00"},
        {0.5, "##.###", ".5"},         {12.3456, "##.###", "12.346"}, {0, "##.###", "."},
        {12, "##.###", "12."},         {3.456, "#######.##", "3.46"}, {0, "#######.##", "."},
        {12.5, "00000.00", "00012.50"}, {-3, "00000.00", "-00003.00"}, {0, "00000.00", "00000.00"},
        {123456.789, "00000.00", "123456.79"}, {7.25, "0", "7"},      {1234.5678, "0.00", "1234.57"},
    };
    for (const MaskCase& c : cases) EXPECT_EQ(formatMask(c.value, c.mask), c.expected) << c.value << " " << c.mask;
}

TEST(MaskFormat, HalvesRoundAwayFromZeroOnTheDecimalValue)
{
    EXPECT_EQ(formatMask(2.5, "0"), "3");
    EXPECT_EQ(formatMask(-2.5, "0"), "-3");
    EXPECT_EQ(formatMask(0.125, "0.00"), "0.13");
    // Binary neighbours just below the half still round as their decimal text reads.
    EXPECT_EQ(formatMask(2.675, "0.00"), "2.68");
    EXPECT_EQ(formatMask(1.005, "0.00"), "1.01");
    EXPECT_EQ(formatMask(9.995, "0.00"), "10.00");
    EXPECT_EQ(formatMask(99999.996, "00000.00"), "100000.00");
}

TEST(MaskFormat, ZeroAfterRoundingHasNoSign)
{
    EXPECT_EQ(formatMask(-0.001, "0.00"), "0.00");
    EXPECT_EQ(formatMask(-0.0, "00000.00"), "00000.00");
    EXPECT_EQ(formatMask(-0.4, "0"), "0");
    EXPECT_EQ(formatMask(-0.006, "0.00"), "-0.01");
}

TEST(WholeNumbers, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(toWhole(2.5), 2);
    EXPECT_EQ(toWhole(3.5), 4);
    EXPECT_EQ(toWhole(-2.5), -2);
    EXPECT_EQ(toWhole(-3.5), -4);
    EXPECT_EQ(toWhole(0.5), 0);
    EXPECT_EQ(toWhole(1.5), 2);
    EXPECT_EQ(toWhole(2.4999), 2);
    EXPECT_EQ(toWhole(2.5001), 3);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(1e15 + 0.5), 1e15);
}

TEST(WholeNumbers, ClampedToThirtyTwoBits)
{
    EXPECT_EQ(toWhole(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toWhole(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toWhole(std::nan("")), 0);
    EXPECT_EQ(toWhole(2147483647.4), 2147483647);
}

TEST(LeadingNumber, ReadsTheLongestNumericStart)
{
    EXPECT_EQ(leadingNumber("12abc"), 12);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(leadingNumber("-.5"), -0.5);
    EXPECT_EQ(leadingNumber("  7.25 mm"), 7.25);
    EXPECT_EQ(leadingNumber("+4"), 4);
    EXPECT_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber("1,5"), 1);
    EXPECT_EQ(leadingNumber("1e3"), 1000);
    EXPECT_EQ(leadingNumber("2E-2x"), 0.02);
}

TEST(LeadingNumber, ExponentOnlyWithDigitsAndNothingFromText)
{
    EXPECT_EQ(leadingNumber("1e"), 1);
    EXPECT_EQ(leadingNumber("1e+"), 1);
    EXPECT_EQ(leadingNumber("5 e3"), 5);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("--4"), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
    EXPECT_TRUE(std::isfinite(leadingNumber("1e999")));
}

} // namespace
} // namespace dravenor
