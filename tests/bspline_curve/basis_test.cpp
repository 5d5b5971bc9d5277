#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>

#include "clamped_bspline.hpp"

namespace {

using bspline_curve::basis;
using bspline_curve::ControlPoints;
using bspline_curve::curve_point;
using bspline_curve::Knots;
using bspline_curve::make_knots;

constexpr std::int32_t kOrder = 3;

// Points that are easy to tell apart in every sum.
ControlPoints sample_points() {
    return {{{10, 500},
             {100, 20},
             {250, 400},
             {310, 90},
             {470, 330},
             {520, 60},
             {640, 570},
             {780, 240}}};
}

TEST(Knots, RepeatTheFirstValueFourTimesAndTheLastThreeTimes) {
    EXPECT_EQ(make_knots(), (Knots{0, 0, 0, 0, 1, 2, 3, 4, 5, 5, 5}));
}

TEST(Basis, WorkedValues) {
    struct Case {
        double t;
        std::array<double, 8> expected;  // points 0 ... 7
    };
    const Case cases[] = {
        {2.5, {0, 0, 0, 0.125, 0.75, 0.125, 0, 0}},
        {0.05, {0, 0.9025, 0.09625, 0.00125, 0, 0, 0, 0}},
        {0.0, {0, 1, 0, 0, 0, 0, 0, 0}},  // the clamped start
        {4.5, {0, 0, 0, 0, 0, 0.125, 0.625, 0.25}},
    };
    const Knots u = make_knots();
    for (const Case& c : cases) {
        for (std::int32_t i = 0; i < 8; ++i) {
            EXPECT_NEAR(basis(u, i, kOrder, c.t), c.expected[static_cast<std::size_t>(i)], 1e-12)
                << "t = " << c.t << ", point " << i;
        }
    }
}

TEST(Basis, PointsOneToSevenSumToOneOnTheHalfOpenRange) {
    const Knots u = make_knots();
    for (std::int32_t n = 0; n < 5000; ++n) {
        const double t = n / 1000.0;  // 0, 0.001, ..., 4.999, every knot among them
        double sum = 0.0;
        for (std::int32_t i = 1; i <= 7; ++i) {
            const double b = basis(u, i, kOrder, t);
            EXPECT_GE(b, 0.0) << "t = " << t << ", point " << i;
            sum += b;
        }
        EXPECT_NEAR(sum, 1.0, 1e-12) << "t = " << t;
        EXPECT_EQ(basis(u, 0, kOrder, t), 0.0) << "point 0 spans only zero-width intervals";
    }
    // The spans are half-open, so at the last knot every basis value is 0.
    for (std::int32_t i = 0; i <= 7; ++i) EXPECT_EQ(basis(u, i, kOrder, 5.0), 0.0);
}

// Division by a zero knot difference would raise the divide-by-zero or invalid flag (0 / 0).
TEST(Basis, ZeroWidthSpansAreNeverDivided) {
    const Knots all_equal{2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
    const Knots knots[] = {make_knots(), all_equal};
    const double ts[] = {-1.0, 0.0, 0.5, 1.0, 2.0, 2.5, 4.0, 4.999, 5.0, 5.5};
    for (const Knots& u : knots) {
        for (std::int32_t k = 1; k <= 4; ++k) {
            for (std::int32_t i = 0; i + k < 11; ++i) {
                for (double t : ts) {
                    std::feclearexcept(FE_ALL_EXCEPT);
                    const double b = basis(u, i, k, t);
                    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID))
                        << "i " << i << ", k " << k << ", t " << t;
                    EXPECT_TRUE(b >= 0.0 && b <= 1.0) << b;
                    if (u == all_equal) {
                        EXPECT_EQ(b, 0.0);
                    }
                }
            }
        }
    }
}

TEST(Basis, ReachingPastTheKnotVectorIsZero) {
    const Knots u = make_knots();
    struct Case {
        std::int32_t i, k;
    };
    const Case cases[] = {{-1, 3}, {8, 3}, {10, 1}, {7, 4}, {3, 0}, {3, -2}, {1 << 30, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(basis(u, c.i, c.k, 2.5), 0.0) << "i " << c.i << ", k " << c.k;
    }
    EXPECT_EQ(basis(u, 9, 1, 4.5), 0.0);  // [5, 5) is empty
    EXPECT_EQ(basis(u, 7, 1, 4.5), 1.0);  // [4, 5)
}

TEST(Curve, IsTheWeightedSumOfPointsOneToSeven) {
    const ControlPoints p = sample_points();
    const Knots u = make_knots();
    const gfx::Point c = curve_point(p, u, kOrder, 0.05);
    EXPECT_NEAR(c.x, 0.9025 * p[1].x + 0.09625 * p[2].x + 0.00125 * p[3].x, 1e-9);
    EXPECT_NEAR(c.y, 0.9025 * p[1].y + 0.09625 * p[2].y + 0.00125 * p[3].y, 1e-9);
    const gfx::Point start = curve_point(p, u, kOrder, 0.0);
    EXPECT_DOUBLE_EQ(start.x, p[1].x);
    EXPECT_DOUBLE_EQ(start.y, p[1].y);
}

TEST(Curve, PointZeroHasNoInfluence) {
    ControlPoints p = sample_points();
    ControlPoints moved = p;
    moved[0] = {-3000, 9000};
    const Knots u = make_knots();
    for (std::int32_t n = 0; n <= 100; ++n) {
        const double t = n * 0.05;
        const gfx::Point a = curve_point(p, u, kOrder, t);
        const gfx::Point b = curve_point(moved, u, kOrder, t);
        EXPECT_EQ(a.x, b.x) << t;
        EXPECT_EQ(a.y, b.y) << t;
    }
}

// The hundredth sample adds the step a hundred times and lands a hair past the last knot,
// where every basis value is 0; the curve ends at point 7 there, not at the origin.
TEST(Curve, EndsAtPointSevenAtAndPastTheLastKnot) {
    double s = 0.0;
    for (int n = 0; n < 100; ++n) s += 0.01;
    const double last_t = 5.0 * s;
    ASSERT_GT(last_t, 5.0);

    const ControlPoints p = sample_points();
    const Knots u = make_knots();
    for (double t : {5.0, last_t, 6.0}) {
        const gfx::Point c = curve_point(p, u, kOrder, t);
        EXPECT_EQ(c.x, p[7].x) << t;
        EXPECT_EQ(c.y, p[7].y) << t;
    }
    // Just before the end the curve is already close to point 7.
    const gfx::Point near_end = curve_point(p, u, kOrder, 4.999);
    EXPECT_NEAR(near_end.x, p[7].x, 1.0);
    EXPECT_NEAR(near_end.y, p[7].y, 1.0);
}

}  // namespace
