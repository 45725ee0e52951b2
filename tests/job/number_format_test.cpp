#include "job/number_format.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <locale>
#include <optional>

#include <gtest/gtest.h>

namespace dravenor {
namespace {

// Every case runs under the C locale and under a decimal-comma one, set for the C library (as a
// desktop program gets it) and as the C++ global locale.
class NumberText : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, GetParam())) GTEST_SKIP() << GetParam() << " is not installed (scripts/setup.sh makes it)";
        std::locale::global(std::locale(GetParam()));
        char printed[8];
        std::snprintf(printed, sizeof printed, "%g", 2.5);
        ASSERT_STREQ(printed, std::string(GetParam()) == "C" ? "2.5" : "2,5");
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};
INSTANTIATE_TEST_SUITE_P(Locales, NumberText, ::testing::Values("C", "de_DE.UTF-8"),
                         [](const auto& info) { return std::string(info.index == 0 ? "C" : "DecimalComma"); });

TEST_P(NumberText, GeneralFormatIsTheShortestTextUpToFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {0.5, "0.5"},          {-12, "-12"},        {1234.125, "1234.125"},   {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},           {-2.0 / 3.0 * 1000, "-666.666666666667"},
        {1e14, "100000000000000"}, {0.00025, "0.00025"}, {-0.0, "0"},      {99.99999999999999, "100"},
        {1.5e20, "1.5E+20"},   {-2e-7, "-2E-07"},
    };
    for (auto [value, text] : cases) EXPECT_EQ(formatGeneral(value), text) << value;
    for (double value : {1.5e20, -2e-7, 123456.789012345, -0.000123})
        EXPECT_DOUBLE_EQ(leadingNumber(formatGeneral(value)), value) << value;
}

TEST_P(NumberText, MasksOfTheProgramRoundHalvesAwayFromZero)
{
    struct Case { double value; const char* mask; const char* expected; };
    const Case cases[] = {
        {0.5, ".00", ".50"},           {12.5, ".00", "12.50"},        {0, ".00", ".00"},
        {0.5, "##.###", ".5"},         {12.3456, "##.###", "12.346"}, {0, "##.###", "."},
        {12, "##.###", "12."},         {3.456, "#######.##", "3.46"}, {0, "#######.##", "."},
        {12.5, "00000.00", "00012.50"}, {-3, "00000.00", "-00003.00"}, {123456.789, "00000.00", "123456.79"},
        {7.25, "0", "7"},              {1234.5678, "0.00", "1234.57"},
        {2.5, "0", "3"},               {-2.5, "0", "-3"},             {0.125, "0.00", "0.13"},
        // Binary neighbours just below the half still round as their decimal text reads.
        {2.675, "0.00", "2.68"},       {1.005, "0.00", "1.01"},       {99999.996, "00000.00", "100000.00"},
        // Zero after rounding has no sign.
        {-0.001, "0.00", "0.00"},      {-0.0, "00000.00", "00000.00"}, {-0.4, "0", "0"},
        {-0.006, "0.00", "-0.01"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatMask(c.value, c.mask), c.expected) << c.value << " " << c.mask;
}

TEST(WholeNumbers, HalvesGoToTheEvenNeighbourClampedToThirtyTwoBits)
{
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 2},   {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {2.4999, 2}, {2.5001, 3},
        {1e12, std::numeric_limits<std::int32_t>::max()}, {-1e12, std::numeric_limits<std::int32_t>::min()},
        {std::nan(""), 0}, {2147483647.4, 2147483647},
    };
    for (auto [value, whole] : cases) EXPECT_EQ(toWhole(value), whole) << value;
    EXPECT_EQ(roundHalfEven(1e15 + 0.5), 1e15);
}

TEST_P(NumberText, LeadingNumberReadsTheLongestNumericStart)
{
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12}, {".", 0},   {"-.5", -0.5}, {"  7.25 mm", 7.25}, {"+4", 4},  {"1.2.3", 1.2},
        {"1,5", 1},    {"1e3", 1000}, {"2E-2x", 0.02}, {"1e", 1},      {"1e+", 1}, {"5 e3", 5},
        {"", 0},       {"abc", 0}, {"--4", 0},    {"-", 0},
    };
    for (auto [text, value] : cases) EXPECT_EQ(leadingNumber(text), value) << text;
    EXPECT_EQ(leadingNumber("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(leadingNumber("0.0001e-400"), 0);
    // Whole-text numbers (the batch tool's options): nothing else may follow or precede.
    const std::pair<const char*, std::optional<double>> whole[] = {
        {"2.5", 2.5}, {"+4", 4}, {"5.", 5}, {"1e-999", 0}, {"1,5", {}}, {" 2.5", {}}, {"2.5 ", {}}, {"", {}},
        {"0x10", {}}, {"inf", {}}, {"1e999", {}}, {"2.5mm", {}},
    };
    for (auto [text, value] : whole) EXPECT_EQ(numberFromText(text), value) << text;
}

} // namespace
} // namespace dravenor
