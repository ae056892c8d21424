// Numbers as the reader takes them from a data line and from a typed field.
#include "core/NumberReader.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace qv {
namespace {

TEST(NumberReader, ReadsTheLongestLeadingNumberHugeExponentsAsOverflowAndTinyOnesAsZero)
{
    constexpr double Overflow = std::numeric_limits<double>::quiet_NaN();
    const std::pair<const char*, double> rows[] = {
        {"12.5", 12.5}, {"  -3", -3}, {"+4", 4},       {"1.5E+3", 1500}, {"2e-2", 0.02},
        {"7e+", 7},     {".5", 0.5},  {"5.", 5},       {"1.2.3", 1.2},  {"abc", 0},
        {"", 0},        {"-", 0},     {"1,5", 1},      {"1e-400", 0},   {"1e400", Overflow},
        {"1e99999999999999999999999", Overflow},       {"0.001e9223372036854775807", Overflow},
        {"1e-99999999999999999999999", 0},             {"0e99999999999999999999999", 0},
        {"1e-9223372036854775808", 0},                 {"123456789e-9223372036854775800", 0},
    };
    for (auto [text, value] : rows) {
        SCOPED_TRACE(text);
        if (std::isnan(value)) {
            EXPECT_QV_ERROR(readNumber(text), ErrorCode::Overflow);
        } else if (value == 0) {
            EXPECT_EQ(readNumber(text), 0.0);
        } else {
            EXPECT_DOUBLE_EQ(readNumber(text), value);
        }
    }
}

TEST(NumberReader, TypedFieldsTakeOnlyWholeNumbersWithAPointOrACommaAsTheMark)
{
    const std::pair<const char*, std::optional<double>> rows[] = {
        {"2,57", 2.57},    {" 2.57 ", 2.57}, {"-1e3", -1000}, {"+.5", 0.5},    {"5.", 5},
        {"1,5E-2", 0.015}, {"abc", {}},      {"", {}},        {"  ", {}},      {"2,57x", {}},
        {"1.2.3", {}},     {"1,2.3", {}},    {"1 2", {}},     {"-", {}},       {"1e", {}},
        {"inf", {}},       {"nan", {}},      {"1e400", {}},   {"1e-400", 0.0},
    };
    for (const auto& [text, value] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(readTypedNumber(text), value);
    }
    EXPECT_EQ(readWholeNumber("8,3", DecimalMark::Point), std::nullopt);
    EXPECT_EQ(readWholeNumber("8.3", DecimalMark::Comma), std::nullopt);
}


} // namespace
} // namespace qv
