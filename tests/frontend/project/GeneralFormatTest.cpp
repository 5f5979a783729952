// Reals as text: the general format and reading it back with either decimal separator.
#include <gtest/gtest.h>

#include <cmath>

#include "project/GeneralFormat.h"

namespace korven {
namespace {

TEST(GeneralFormat, FixedOrExponentFormAsTheDecimalExponentWants) {
    struct Case {
        long double value;
        int digits;
        const char* expected;
    };
    // clang-format off
    const Case cases[] = {
        {0,               8,  "0"},
        {1,               8,  "1"},
        {-2.5L,           8,  "-2.5"},
        {0.9144L,         8,  "0.9144"},
        {1E20L,           8,  "1E20"},
        {1.5E-7L,         8,  "1.5E-7"},
        {0.00001L,        8,  "0.00001"},
        {123456789,       8,  "1.2345679E8"},
        {12345678,        8,  "12345678"},
        {1E17L,           18, "100000000000000000"},
        {2E20L,           18, "2E20"},
        {1.0L / 3,        18, "0.333333333333333333"},
        {2.5L,            15, "2.5"},
        {0.752L,          15, "0.752"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatGeneral(c.value, c.digits), c.expected);
    }
}

TEST(GeneralFormat, EighteenDigitsReadBackToTheSameExtendedValue) {
    for (long double v : {1.0L / 3, 2.0L / 3 * 1E30L, -7.0L / 9 * 1E-30L, std::sqrt(2.0L)}) {
        long double back = 0;
        ASSERT_TRUE(ParseReal(FormatGeneral(v, 18), '.', back));
        EXPECT_NEAR(static_cast<double>(back / v), 1.0, 1E-17);
    }
}

TEST(ParseReal, HonoursTheSeparatorItIsGiven) {
    long double v = 0;
    EXPECT_TRUE(ParseReal("1,5", ',', v));
    EXPECT_EQ(v, 1.5L);
    EXPECT_FALSE(ParseReal("1.5", ',', v));
    EXPECT_FALSE(ParseReal("1,5", '.', v));
    EXPECT_EQ(v, 1.5L);  // untouched by a failure
    EXPECT_TRUE(ParseReal("-2,5E-1", ',', v));
    EXPECT_EQ(v, -0.25L);
}

}  // namespace
}  // namespace korven
