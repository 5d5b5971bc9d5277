#include "screen_coord.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Case {
    double in;
    int out;
};

TEST(ScreenCoord, RoundsHalfToEvenAndWrapsTo16Bits) {
    const Case cases[] = {
        {0.0, 0},
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.49999999999999994, 0},
        {1.5, 2},
        {-0.5, 0},
        {799.4, 799},
        {399.5, 400},
        {299.5, 300},
        {62.5, 62},
        {32767.0, 32767},
        {32767.5, -32768},
        {32768.0, -32768},
        {65535.0, -1},
        {65536.0, 0},
        {65539.0, 3},
        {-32768.0, -32768},
        {-32769.0, 32767},
        {-65536.0, 0},
        {-65537.0, -1},
        {1e6, 16960},
        {-1e6, -16960},
        {4294967296.0 + 5, 5},
        {9.3e18, 0},
        {-9.3e18, 0},
        {std::ldexp(1.0, 63) + std::ldexp(1.0, 20), 0},
        {std::ldexp(3.0, 70), 0},
        {std::numeric_limits<double>::max(), 0},
        {-std::numeric_limits<double>::max(), 0},
        {std::ldexp(1.0, 52) + 7, 7},
        {std::ldexp(1.0, 53) + 65538, 2},
    };
    for (const Case& c : cases) {
        const auto got = gfx::to_screen(c.in);
        ASSERT_TRUE(got.has_value()) << c.in;
        EXPECT_EQ(*got, c.out) << "for " << c.in;
    }
}

TEST(ScreenCoord, NonFiniteGivesNoCoordinate) {
    for (double v :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(gfx::to_screen(v).has_value()) << v;
    }
}

}  // namespace
