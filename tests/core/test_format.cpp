#include "support/TestTolerance.h"

#include "core/format/DateText.h"
#include "core/format/FormatMask.h"
#include "core/format/NumberText.h"
#include "core/format/RoundSignificant.h"

#include <tuple>

namespace qv {
namespace {

TEST(RoundSignificant, RoundsToThePrintedValuesAndFailsOnAHugePowerOfTen)
{
    // clang-format off
    const std::tuple<double, int, const char*> rows[] = {
        {7.088602, 3, "7.09"},  {1.581139, 3, "1.58"},   {2487.746014, 3, "2490"},
        {547.448628, 3, "547"}, {0.012345, 3, "0.0123"}, {99.95, 3, "100"},
        {0.0, 3, "0"},          {-123.456, 3, "-123.5"}, {123.456, 3, "123"},
        {567.0, 0, "1000"},     {123.456, 0, "0"},       {1.581139, 1, "2"},
        {7.088602, 1, "7"},     {-0.05, 1, "-0.05"},     {-0.0449, 1, "-0.045"},
        {-2.5, 1, "-2.5"},      {-1.25, 1, "-1.2"},      {-1.5, 0, "-1"}, {0.125, 2, "0.13"},
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
        {10.0, "10", " 10"}, {0.0123, "0.0123", " 0.0123"}, {-123.5, "-123.5", "-123.5"},
        {0.9 * 100.0, "90", " 90"}, {-0.5, "-0.5", "-0.5"}, {-0.0, "0", " 0"},
        {2490.0000000000005, "2490", " 2490"},
        {1.0 / 3.0, "0.333333333333333", " 0.333333333333333"},
        {123456789012345.0, "123456789012345", " 123456789012345"}, {1e15, "1E+15", " 1E+15"},
        {-1.5e20, "-1.5E+20", "-1.5E+20"}, {0.0001, "0.0001", " 0.0001"},
        {0.00001, "1E-05", " 1E-05"}, {1.25e-300, "1.25E-300", " 1.25E-300"},
    };
    // clang-format on
    for (const auto& [value, plain, sign] : rows) {
        SCOPED_TRACE(plain);
        EXPECT_EQ(plainText(value), plain);
        EXPECT_EQ(signedText(value), sign);
    }
}

TEST(FormatMask, GivesThePrintedTextsOfEveryMask)
{
    // clang-format off
    const std::tuple<double, const char*, const char*> rows[] = {
        {7.088602, "##.##", "7.09"}, {12.0, "##.##", "12."}, {0.5, "##.##", ".5"},
        {-3.2, "##.##", "-3.2"}, {2487.746014, "##.##", "2487.75"}, {0.000364, "0.###%", "0.036%"},
        {0.0, "0.###%", "0.%"}, {0.004866, "0.##%", "0.49%"}, {0.040062, "0.#%", "4.%"},
        {0.0512, "0.#%", "5.1%"}, {0.05, "0.#%", "5.%"}, {0.158648, "##%", "16%"},
        {0.5, "##%", "50%"}, {12345.0, "0E+00", "1E+04"}, {0.00123, "0E+00", "1E-03"},
        {0.05, "0E+00", "5E-02"}, {0.0, "0E+00", "0E+00"}, {12345.0, "0.00E+00", "1.23E+04"},
        {-0.000456, "0.0E+00", "-4.6E-04"}, {1e123, "0.0E+00", "1.0E+123"},
        {12345.6, "#,##0", "12,346"}, {0.4, "#,##0", "0"}, {-1234567.0, "#,##0", "-1,234,567"},
        {12345.678, "#,##0.00", "12,345.68"}, {0.5, "#,##0.00", "0.50"},
        {1e20, "#,##0", "100,000,000,000,000,000,000"},
        // Halves round away from zero on the decimal value.
        {0.125, "##.##", ".13"}, {-0.125, "##.##", "-.13"}, {2.675, "#,##0.00", "2.68"},
        {2.5, "#,##0", "3"}, {-2.5, "#,##0", "-3"}, {0.0005, "0.##%", "0.05%"},
        {0.00005, "0.#%", "0.%"}, {0.0000005, "0.###%", "0.%"}, {0.000005, "0.###%", "0.001%"},
        {0.995, "##%", "100%"}, {9.5, "0E+00", "1E+01"}, {-9.5, "0E+00", "-1E+01"},
        {0.9995, "0.00E+00", "1.00E+00"}, {9.995, "##.##", "10."}, {-0.4, "#,##0", "0"},
    };
    // clang-format on
    for (const auto& [value, mask, text] : rows) {
        SCOPED_TRACE(::testing::Message() << value << " with " << mask);
        EXPECT_EQ(format(value, mask), text);
    }
}

TEST(FormatMask, BuildsTheMasksOfTheLabels)
{
    EXPECT_EQ(valueAxisMask(0, true), "0E+00");
    EXPECT_EQ(valueAxisMask(2, true), "0.00E+00");
    EXPECT_EQ(valueAxisMask(-2, false), "#,##0");
    EXPECT_EQ(valueAxisMask(2, false), "#,##0.00");
    EXPECT_EQ(percentMask(0.000999), "0.###%");
    EXPECT_EQ(percentMask(0.001), "0.##%");
    EXPECT_EQ(percentMask(0.01), "0.#%");
    EXPECT_EQ(percentMask(0.1), "##%");
}

TEST(DateText, WritesTwoDigitMonthDayAndYear)
{
    using namespace std::chrono;
    EXPECT_EQ(formatDate(year{2026} / March / 5), "03-05-26");
    EXPECT_EQ(formatDate(year{2006} / August / 26), "08-26-06");
    EXPECT_EQ(formatDate(year{2026} / February / 30), "00-00-00");
}

} // namespace
} // namespace qv
