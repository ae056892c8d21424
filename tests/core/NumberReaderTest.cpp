// Numbers as the reader takes them from a data line and from a typed field.
#include "core/NumberReader.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

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

TEST(NumberReader, PlainDecimalsReadAsTheNearestDoubleAsTheLibraryReadsThem)
{
    std::vector<std::string> texts = {"0",      "-0",     "-0.000",   "5",       "0.1",
                                      "0.3",    "25.412", "-3",       "999999999999999",
                                      "123456789012345", "1234567890123456", "9.999999999999999",
                                      "0.000000000000001", "4503599627370497", "1.7976931348623157",
                                      "0.30000000000000004", "10.065", "5.", "007.50"};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const auto digits = static_cast<int>(random() % 17) + 1;
        std::string text = random() % 2 ? "-" : "";
        const auto point = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point && d > 0) {
                text += '.';
            }
            text += static_cast<char>('0' + random() % 10);
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const std::optional<double> read = readWholeNumber(text, DecimalMark::Either);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, expected);
        EXPECT_EQ(std::signbit(*read), std::signbit(expected));
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
