// The number formats the chart and the decisions are written in: significant-digit
// rounding, plain and signed texts, the masks of the labels, dates and the decisions'
// numbers, against the texts they print.
#include "core/format/DateText.h"
#include "core/format/DecisionNumber.h"
#include "core/format/FormatMask.h"
#include "core/format/NumberText.h"
#include "core/format/RoundSignificant.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <tuple>

namespace qv {
namespace {

TEST(RoundSignificant, RoundsToThePrintedValuesAndFailsOnAHugePowerOfTen)
{
    // clang-format off
    const std::tuple<double, int, const char*> rows[] = {
        {7.088602, 3, "7.09"},  {2487.746014, 3, "2490"}, {0.012345, 3, "0.0123"},
        {99.95, 3, "100"},      {0.0, 3, "0"},            {-123.456, 3, "-123.5"},
        {123.456, 3, "123"},    {567.0, 0, "1000"},       {123.456, 0, "0"},
        {1.581139, 1, "2"},     {-0.05, 1, "-0.05"},      {-0.0449, 1, "-0.045"},
        {-2.5, 1, "-2.5"},      {-1.25, 1, "-1.2"},       {-1.5, 0, "-1"}, {0.125, 2, "0.13"},
    };
    // clang-format on
    for (const auto& [value, digits, result] : rows) {
        SCOPED_TRACE(::testing::Message() << value << " to " << digits);
        EXPECT_PRINTED(roundSignificant(value, digits), result);
    }
    // The power of ten overflows.
    EXPECT_QV_ERROR(roundSignificant(5.0, 400), ErrorCode::Overflow);
    EXPECT_QV_ERROR(roundSignificant(5.0, -400), ErrorCode::Overflow); // 10^d is 0: 0 / 0
}

TEST(NumberText, WritesAtMostFifteenSignificantDigits)
{
    // clang-format off
    const std::tuple<double, const char*, const char*> rows[] = {
        {10.0, "10", " 10"}, {-123.5, "-123.5", "-123.5"}, {0.9 * 100.0, "90", " 90"},
        {-0.0, "0", " 0"}, {2490.0000000000005, "2490", " 2490"},
        {1.0 / 3.0, "0.333333333333333", " 0.333333333333333"},
        {123456789012345.0, "123456789012345", " 123456789012345"}, {1e15, "1E+15", " 1E+15"},
        {0.0001, "0.0001", " 0.0001"}, {0.00001, "1E-05", " 1E-05"},
    };
    // clang-format on
    for (const auto& [value, plain, sign] : rows) {
        SCOPED_TRACE(plain);
        EXPECT_EQ(plainText(value), plain);
        EXPECT_EQ(signedText(value), sign);
    }
}

TEST(FormatMask, GivesThePrintedTextsOfEveryMaskAndTheMasksOfThePercentLabels)
{
    // clang-format off
    const std::tuple<double, const char*, const char*> rows[] = {
        {7.088602, "##.##", "7.09"}, {12.0, "##.##", "12."}, {0.5, "##.##", ".5"},
        {2487.746014, "##.##", "2487.75"}, {0.000364, "0.###%", "0.036%"}, {0.0, "0.###%", "0.%"},
        {0.004866, "0.##%", "0.49%"}, {0.040062, "0.#%", "4.%"}, {0.158648, "##%", "16%"},
        {12345.0, "0E+00", "1E+04"}, {0.00123, "0E+00", "1E-03"}, {0.0, "0E+00", "0E+00"},
        {12345.0, "0.00E+00", "1.23E+04"}, {-0.000456, "0.0E+00", "-4.6E-04"},
        {1e123, "0.0E+00", "1.0E+123"}, {12345.6, "#,##0", "12,346"}, {0.4, "#,##0", "0"},
        {-1234567.0, "#,##0", "-1,234,567"}, {12345.678, "#,##0.00", "12,345.68"},
        {0.5, "#,##0.00", "0.50"}, {1e20, "#,##0", "100,000,000,000,000,000,000"},
        // Halves round away from zero on the decimal value.
        {0.125, "##.##", ".13"}, {-0.125, "##.##", "-.13"}, {2.675, "#,##0.00", "2.68"},
        {2.5, "#,##0", "3"}, {0.0005, "0.##%", "0.05%"}, {0.000005, "0.###%", "0.001%"},
        {0.995, "##%", "100%"}, {9.5, "0E+00", "1E+01"}, {0.9995, "0.00E+00", "1.00E+00"},
        {9.995, "##.##", "10."}, {-0.4, "#,##0", "0"},
    };
    // clang-format on
    for (const auto& [value, mask, text] : rows) {
        SCOPED_TRACE(::testing::Message() << value << " with " << mask);
        EXPECT_EQ(format(value, mask), text);
    }
    // The percent labels' masks; the value axis's are checked through its labels.
    EXPECT_EQ(percentMask(0.000999), "0.###%");
    EXPECT_EQ(percentMask(0.001), "0.##%");
    EXPECT_EQ(percentMask(0.01), "0.#%");
    EXPECT_EQ(percentMask(0.1), "##%");
}

TEST(DateText, WritesTwoDigitMonthDayAndYear)
{
    using namespace std::chrono;
    EXPECT_EQ(formatDate(year{2006} / March / 5), "03-05-06");
    EXPECT_EQ(formatDate(year{2026} / February / 30), "00-00-00");
}

TEST(DecisionNumber, RoundsToDecimalsOrSignificantDigitsWhicheverKeepsMore)
{
    // Each row: the value, the decimals, the significant digits and the text.
    const std::tuple<double, int, int, const char*> rows[] = {
        {1.79996, 2, 3, "1.80"},
        {2487.746, 2, 3, "2487.75"},
        {0.0012345, 2, 3, "0.00123"},
        {2.675, 2, 3, "2.68"},
        {0.0, 2, 3, "0"},
        {1.2345e-5, 2, 3, "1.23E-05"},
        {0.996, 0, 2, "1.00"},
        {std::numeric_limits<double>::infinity(), 2, 3, "Inf"},
    };
    for (const auto& [value, decimals, significant, text] : rows) {
        EXPECT_EQ(decisionNumber(value, decimals, significant), text) << value;
    }
    EXPECT_EQ(pValueText(0.00099), "< 0.001"); // others as in the status bar above
}


} // namespace
} // namespace qv
