// The interpolation polynomial and its sampling.
#include "lagrange.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using lagrange::Nodes;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Nodes make_nodes(std::array<std::int32_t, 10> x, std::array<std::int32_t, 10> y) {
    return Nodes{x, y};
}

// Ten nodes on y = (x - 250)^2 / 100, every ordinate a whole number.
Nodes parabola_nodes() {
    Nodes n;
    for (int i = 0; i < 10; ++i) {
        n.x[i] = 50 * (i + 1);
        n.y[i] = (n.x[i] - 250) * (n.x[i] - 250) / 100;
    }
    return n;
}

TEST(RoundToInt32, HalvesGoToEvenAndTheLow32BitsAreKept) {
    struct Case {
        double value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {12.5, 12},
        {13.5, 14},
        {-2.5, -2},
        {-3.5, -4},
        {0.49999999999999994, 0},
        {598.4, 598},
        {2147483647.0, 2147483647},
        {2147483648.0, -2147483647 - 1},  // 2^31 wraps to the most negative value
        {4294967301.0, 5},                // 2^32 + 5
        {-4294967297.0, -1},              // -(2^32 + 1)
        {-0x1p63, 0},                     // the most negative 64-bit value: low bits all 0
        {0x1p63 - 1024.0, -1024},         // the largest double below 2^63
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const auto r = lagrange::round_to_int32(c.value);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(*r, c.expected);
    }
}

TEST(RoundToInt32, NothingForValuesNoIntegerHolds) {
    for (double v : {0x1p63, -0x1p64, 1e300, -1e300, kInf, -kInf, kNaN}) {
        SCOPED_TRACE(v);
        EXPECT_FALSE(lagrange::round_to_int32(v).has_value());
    }
}

TEST(LagrangeValue, ReproducesEveryNode) {
    const Nodes sets[] = {
        make_nodes({177, 695, 165, 733, 390, 488, 611, 414, 237, 149},
                   {33, 497, 217, 586, 53, 237, 212, 291, 593, 484}),
        make_nodes({0, 1, 2, 3, 4, 5, 6, 7, 8, 798}, {0, 598, 1, 597, 2, 596, 3, 595, 4, 594}),
        make_nodes({798, 0, 400, 401, 10, 20, 790, 300, 650, 11},
                   {0, 598, 0, 598, 300, 1, 2, 3, 4, 5}),
    };
    for (const Nodes& n : sets) {
        for (int i = 0; i < 10; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(lagrange::lagrange_value(n, n.x[i]), n.y[i]);
        }
    }
}

TEST(LagrangeValue, FollowsThePolynomialThroughTheNodes) {
    // No (a - 250)^2 / 100 is a half, so every value has one right rounding.
    const Nodes n = parabola_nodes();
    for (std::int32_t a = 0; a <= 798; ++a) {
        SCOPED_TRACE(a);
        const double exact = (a - 250.0) * (a - 250.0) / 100.0;
        EXPECT_EQ(lagrange::lagrange_value(n, a), static_cast<std::int32_t>(std::nearbyint(exact)));
    }
}

TEST(LagrangeValue, NodesSharingAnAbscissaGiveTheSumOfTheirOrdinates) {
    // Two nodes at x = 300 among eight on a line: at 300 the value is 200 + 350, and the
    // curve still passes through every other node.
    const Nodes n = make_nodes({100, 300, 150, 300, 400, 450, 500, 550, 600, 650},
                               {10, 200, 20, 350, 40, 50, 60, 70, 80, 90});
    EXPECT_EQ(lagrange::lagrange_value(n, 300), 550);
    for (int i : {0, 2, 4, 5, 6, 7, 8, 9}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lagrange::lagrange_value(n, n.x[i]), n.y[i]);
    }
}

TEST(LagrangeValue, TenEqualAbscissaeGiveTheSumEverywhere) {
    // Every factor is skipped: no division by zero, and each basis product stays 1.
    Nodes n;
    n.x.fill(0);
    n.y = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(lagrange::lagrange_value(n, 0), 55);
    EXPECT_EQ(lagrange::lagrange_value(n, 700), 55);
}

TEST(LagrangeValue, ValuesBeyond64BitsHaveNoResult) {
    // Nine nodes packed at the left edge and one at the right: between them the polynomial
    // grows far beyond 2^63.
    const Nodes n =
        make_nodes({0, 1, 2, 3, 4, 5, 6, 7, 8, 798}, {0, 598, 0, 598, 0, 598, 0, 598, 0, 598});
    EXPECT_FALSE(lagrange::lagrange_value(n, 400).has_value());
    EXPECT_EQ(lagrange::lagrange_value(n, 798), 598);
}

// The number of samples a pass takes between xmin and xmax.
int sample_count(std::int32_t xmin, std::int32_t xmax) {
    return lagrange::sample_curve(parabola_nodes(), xmin, xmax).count;
}

TEST(SampleCurve, TakesOneHundredOrOneHundredAndOneSamples) {
    // Every span the window allows, from a few left ends: 99 or 100 segments, and the
    // samples stay within [xmin, xmax] one step apart.
    for (std::int32_t xmin : {0, 1, 37, 399}) {
        for (std::int32_t xmax = xmin + 1; xmax <= 798; ++xmax) {
            SCOPED_TRACE(testing::Message() << xmin << " .. " << xmax);
            const lagrange::Samples s = lagrange::sample_curve(parabola_nodes(), xmin, xmax);
            ASSERT_TRUE(s.count == 100 || s.count == 101) << s.count;
            const double step = (xmax - xmin) / 100.0;
            EXPECT_EQ(s.at[0].x, xmin);
            EXPECT_LE(s.at[static_cast<std::size_t>(s.count - 1)].x, xmax);
            EXPECT_NEAR(s.at[99].x, xmin + 99 * step, 1e-9);
        }
    }
}

TEST(SampleCurve, BothCountsOccur) {
    // Whether x_100 lands on xmax depends on the rounding of the accumulated step.
    bool hundred = false, hundred_and_one = false;
    for (std::int32_t xmax = 1; xmax <= 798; ++xmax) {
        const int c = sample_count(0, xmax);
        hundred = hundred || c == 100;
        hundred_and_one = hundred_and_one || c == 101;
    }
    EXPECT_TRUE(hundred);
    EXPECT_TRUE(hundred_and_one);
}

TEST(SampleCurve, NoStepNoSamples) {
    // Ten equal abscissae make xmin = xmax: a zero step would never pass xmax.
    Nodes n;
    n.x.fill(400);
    n.y.fill(300);
    EXPECT_EQ(lagrange::sample_curve(n, 400, 400).count, 0);
    n.x.fill(0);
    EXPECT_EQ(lagrange::sample_curve(n, 0, 0).count, 0);
    EXPECT_EQ(sample_count(500, 100), 0);
}

TEST(SampleCurve, EvaluatesAtTheAbscissaRoundedHalfToEven) {
    // A step of 0.5 from 12: 12.5 is taken at 12 and 13.5 at 14.
    const lagrange::Samples s = lagrange::sample_curve(parabola_nodes(), 12, 62);
    ASSERT_EQ(s.count, 101);
    const Nodes n = parabola_nodes();
    struct Case {
        int k;
        double x;
        std::int32_t a;
    };
    for (const Case c :
         {Case{1, 12.5, 12}, Case{2, 13.0, 13}, Case{3, 13.5, 14}, Case{5, 14.5, 14}}) {
        SCOPED_TRACE(c.k);
        const lagrange::Sample& p = s.at[static_cast<std::size_t>(c.k)];
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.a, c.a);
        EXPECT_EQ(p.y, lagrange::lagrange_value(n, c.a));
    }
    EXPECT_NE(s.at[1].y, s.at[3].y);
}

TEST(SampleCurve, SamplesWithoutValueAreMarkedTheRestKept) {
    const Nodes n =
        make_nodes({0, 1, 2, 3, 4, 5, 6, 7, 8, 798}, {0, 598, 0, 598, 0, 598, 0, 598, 0, 598});
    const lagrange::Samples s = lagrange::sample_curve(n, 0, 798);
    int without = 0, with = 0;
    for (int k = 0; k < s.count; ++k) {
        (s.at[static_cast<std::size_t>(k)].y ? with : without) += 1;
    }
    EXPECT_GT(without, 0);
    EXPECT_GT(with, 0);
    EXPECT_EQ(s.at[0].y, 0);  // the first sample is the node at 0
}

}  // namespace
