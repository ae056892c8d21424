#pragma once
// Helpers of the tests.
//
// The one tolerance for computed doubles in the tests: a result agrees
// with a number printed to d decimals when it lies within half a unit of the
// d-th decimal of it, that is when it would be printed the same way.

#include "core/Errors.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <string_view>

namespace qv::test {

inline ::testing::AssertionResult agreesWithPrinted(double actual, std::string_view printed)
{
    double expected = 0.0;
    const auto [end, ec] =
        std::from_chars(printed.data(), printed.data() + printed.size(), expected);
    if (ec != std::errc{} || end != printed.data() + printed.size()) {
        return ::testing::AssertionFailure() << "bad printed number '" << printed << "'";
    }
    const auto point = printed.find('.');
    const double decimals =
        point == std::string_view::npos ? 0.0 : static_cast<double>(printed.size() - point - 1);
    // The slack covers the binary form of the printed number itself.
    if (std::fabs(actual - expected) <= 0.5 * std::pow(10.0, -decimals) * (1.0 + 1e-9)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << ::testing::PrintToString(actual) << " does not print as " << printed;
}

} // namespace qv::test

// EXPECT_PRINTED(actual, "7.088602"): actual prints as the given text.
#define EXPECT_PRINTED(actual, printed)                                                            \
    EXPECT_TRUE(::qv::test::agreesWithPrinted((actual), (printed)))

// Runs statement and expects a QvError with the given code.
#define EXPECT_QV_ERROR(statement, expectedCode)                                                   \
    do {                                                                                           \
        try {                                                                                      \
            static_cast<void>(statement);                                                          \
            ADD_FAILURE() << "no QvError from " #statement;                                        \
        } catch (const ::qv::QvError& error) {                                                     \
            EXPECT_EQ(error.code(), (expectedCode)) << #statement;                                 \
        }                                                                                          \
    } while (false)
