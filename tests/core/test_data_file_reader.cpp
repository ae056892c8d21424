// Numbers typed into fields: only a whole number is taken.
#include "core/NumberReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace qv {
namespace {

TEST(NumberReader, TypedFieldsTakeOnlyWholeNumbersWithAPointOrACommaAsTheMark)
{
    const std::pair<const char*, std::optional<double>> rows[] = {
        {"2,57", 2.57},  {" 2.57 ", 2.57}, {"-1e3", -1000}, {"+.5", 0.5},    {"5.", 5},
        {"1,5E-2", 0.015}, {"abc", {}},    {"", {}},        {"  ", {}},      {"2,57x", {}},
        {"1.2.3", {}},   {"1,2.3", {}},    {"1 2", {}},     {"-", {}},       {"1e", {}},
        {"inf", {}},     {"nan", {}},      {"1e400", {}},   {"1e-400", 0.0},
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
