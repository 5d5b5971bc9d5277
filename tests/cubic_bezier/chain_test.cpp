#include "chain.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using chain::Chain;
using chain::ChainPoint;
using gfx::Point;

// A chain whose points and handle ends are the given ones; the other slots stay empty.
Chain make_chain(const std::vector<ChainPoint>& pts) {
    Chain c;
    for (const ChainPoint& p : pts) c.points[static_cast<std::size_t>(c.count++)] = p;
    return c;
}

// As the space bar places them: the handle end 10 pixels to the left.
ChainPoint placed(double x, double y) {
    return {x, y, x - 10.0, y};
}

TEST(CubicPoint, EndsAreTheEndPointsExactly) {
    struct Case {
        Point a, b, c, d;
    };
    const Case cases[] = {
        {{100, 100}, {90, 100}, {390, 200}, {400, 200}},
        {{0.1, -7.3}, {1e6, -1e6}, {-3.25e5, 0.7}, {123.456, 65535}},
        {{-0.3, 0.3}, {1e-9, 7e9}, {-7e9, 3.3}, {-0.3, 0.3}},
    };
    for (const Case& k : cases) {
        const Point at0 = chain::cubic_point(k.a, k.b, k.c, k.d, 0.0);
        const Point at1 = chain::cubic_point(k.a, k.b, k.c, k.d, 1.0);
        EXPECT_EQ(at0.x, k.a.x);
        EXPECT_EQ(at0.y, k.a.y);
        EXPECT_EQ(at1.x, k.d.x);
        EXPECT_EQ(at1.y, k.d.y);
    }
}

TEST(CubicPoint, WeighsTheFourPointsByTheBernsteinPolynomials) {
    // At t = 1/4 the weights are 27/64, 27/64, 9/64 and 1/64, all exact in binary; distinct
    // coordinates show a swapped or missing term.
    const Point a{64, 0}, b{0, 64}, c{128, 128}, d{640, 6400};
    const Point p = chain::cubic_point(a, b, c, d, 0.25);
    EXPECT_EQ(p.x, (27.0 * 64 + 27.0 * 0 + 9.0 * 128 + 640) / 64);
    EXPECT_EQ(p.y, (27.0 * 0 + 27.0 * 64 + 9.0 * 128 + 6400) / 64);
    const Point q = chain::cubic_point(a, b, c, d, 0.75);
    EXPECT_EQ(q.x, (1.0 * 64 + 9.0 * 0 + 27.0 * 128 + 27.0 * 640) / 64);
}

TEST(Segment, MirroredHandleIsReflectedThroughThePoint) {
    const Point m = chain::mirrored_handle({100, 100, 90, 100});
    EXPECT_EQ(m.x, 110);
    EXPECT_EQ(m.y, 100);
    const Point n = chain::mirrored_handle({-5.5, 20, 4.5, -30});
    EXPECT_EQ(n.x, -15.5);
    EXPECT_EQ(n.y, 70);
}

TEST(Segment, EvenSegmentsUseTheHandlesOddOnesTheMirroredHandles) {
    const Chain c = make_chain({{10, 20, 30, 40}, {50, 60, 70, 90}, {100, 110, 120, 140}});
    const chain::Segment s0 = chain::segment_control_points(c, 0);
    EXPECT_EQ(s0.a.x, 10);
    EXPECT_EQ(s0.a.y, 20);
    EXPECT_EQ(s0.b.x, 30);
    EXPECT_EQ(s0.b.y, 40);
    EXPECT_EQ(s0.c.x, 70);
    EXPECT_EQ(s0.c.y, 90);
    EXPECT_EQ(s0.d.x, 50);
    EXPECT_EQ(s0.d.y, 60);
    const chain::Segment s1 = chain::segment_control_points(c, 1);
    EXPECT_EQ(s1.a.x, 50);
    EXPECT_EQ(s1.a.y, 60);
    EXPECT_EQ(s1.b.x, 30);  // 50 - (70 - 50)
    EXPECT_EQ(s1.b.y, 30);
    EXPECT_EQ(s1.c.x, 80);  // 100 - (120 - 100)
    EXPECT_EQ(s1.c.y, 80);
    EXPECT_EQ(s1.d.x, 100);
    EXPECT_EQ(s1.d.y, 110);
}

TEST(Segment, NewPointsGiveSegmentsLeavingAndArrivingAsTheHandlesSay) {
    const Chain c = make_chain({placed(100, 300), placed(300, 300), placed(500, 300)});
    // Segment 0 leaves point 1 towards the left and reaches point 2 from the left.
    const chain::Segment s0 = chain::segment_control_points(c, 0);
    EXPECT_LT(chain::cubic_point(s0.a, s0.b, s0.c, s0.d, 0.01).x, 100);
    EXPECT_LT(chain::cubic_point(s0.a, s0.b, s0.c, s0.d, 0.99).x, 300);
    // Segment 1 leaves point 2 towards the right and reaches point 3 from the right.
    const chain::Segment s1 = chain::segment_control_points(c, 1);
    EXPECT_GT(chain::cubic_point(s1.a, s1.b, s1.c, s1.d, 0.01).x, 300);
    EXPECT_GT(chain::cubic_point(s1.a, s1.b, s1.c, s1.d, 0.99).x, 500);
}

TEST(Segment, TangentIsContinuousAtEveryInnerPoint) {
    const Chain c = make_chain({{100, 100, 130, 80},
                                {200, 150, 170, 190},
                                {320, 90, 350, 60},
                                {400, 300, 380, 340},
                                {500, 250, 530, 260},
                                {610, 400, 600, 430}});
    for (std::int32_t k = 0; k + 1 <= c.count - 2; ++k) {
        const chain::Segment in = chain::segment_control_points(c, k);
        const chain::Segment out = chain::segment_control_points(c, k + 1);
        SCOPED_TRACE(k);
        EXPECT_EQ(in.d.x - in.c.x, out.b.x - out.a.x);
        EXPECT_EQ(in.d.y - in.c.y, out.b.y - out.a.y);
        EXPECT_EQ(in.d.x, out.a.x);
        EXPECT_EQ(in.d.y, out.a.y);
    }
}

TEST(Segment, IndexOutsideTheTableStaysInsideIt) {
    std::vector<ChainPoint> full;
    for (std::int32_t i = 0; i < chain::kSlots; ++i) full.push_back(placed(10.0 * i, 5.0 * i));
    const Chain c = make_chain(full);
    const chain::Segment last = chain::segment_control_points(c, chain::kSlots - 2);
    EXPECT_EQ(last.d.x, 310);
    EXPECT_EQ(last.d.y, 155);
    for (std::int32_t k : {31, 32, 1000, std::numeric_limits<std::int32_t>::max()}) {
        const chain::Segment s = chain::segment_control_points(c, k);
        EXPECT_EQ(s.a.x, last.a.x) << k;
        EXPECT_EQ(s.d.x, last.d.x) << k;
    }
    for (std::int32_t k : {-1, std::numeric_limits<std::int32_t>::min()}) {
        const chain::Segment s = chain::segment_control_points(c, k);
        EXPECT_EQ(s.a.x, 0) << k;
        EXPECT_EQ(s.d.x, 10) << k;
    }
}

TEST(Rounding, DownAndUpAreFloorAndCeilingExceptAtWholeOddValues) {
    struct Case {
        double v;
        std::int32_t down, up;
    };
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const Case cases[] = {
        {2.5, 2, 3},
        {3, 2, 4},
        {4, 4, 4},
        {3.2, 3, 4},
        {3.7, 3, 4},
        {0, 0, 0},
        {1, 0, 2},
        {-2.5, -3, -2},
        {-3, -4, -2},
        {-4, -4, -4},
        {97.5, 97, 98},
        {103.5, 103, 104},
        {1e300, kMax, kMax},
        {-1e300, kMin, kMin},
        {std::numeric_limits<double>::infinity(), kMax, kMax},
        {-std::numeric_limits<double>::infinity(), kMin, kMin},
        {std::nan(""), 0, 0},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(chain::round_down(k.v), k.down) << k.v;
        EXPECT_EQ(chain::round_up(k.v), k.up) << k.v;
    }
}

TEST(Rounding, MinimumAndMaximumReturnTheSecondUnlessTheFirstWinsStrictly) {
    EXPECT_EQ(chain::minimum(1, 2), 1);
    EXPECT_EQ(chain::minimum(2, 1), 1);
    EXPECT_EQ(chain::maximum(1, 2), 2);
    EXPECT_EQ(chain::maximum(2, 1), 2);
    EXPECT_TRUE(std::signbit(chain::minimum(0.0, -0.0)));
    EXPECT_TRUE(std::signbit(chain::maximum(0.0, -0.0)));
    EXPECT_TRUE(std::isnan(chain::minimum(1, std::nan(""))));
    EXPECT_EQ(chain::maximum(std::nan(""), 1), 1);
}

TEST(ChainPosition, MapsTheFractionToSegmentAndParameter) {
    struct Case {
        std::int32_t count;
        double r;
        std::int32_t k;
        double t;
    };
    const Case cases[] = {
        {3, 0, 0, 0},
        {3, 0.25, 0, 0.5},
        {3, 0.5, 0, 1},
        {3, 0.75, 1, 0.5},
        // The right end of an odd chain: the last segment at t = 1, not one past it.
        {3, 1, 1, 1},
        {3, -0.5, 0, 0},
        {3, 1.5, 1, 1},
        {3, -1e300, 0, 0},
        {3, 1e300, 1, 1},
        {3, std::nan(""), 0, 0},
        {2, 0, 0, 0},
        {2, 0.5, 0, 0.5},
        {2, 1, 0, 1},
        // Whole values: odd ones end the earlier segment, even ones start the later one.
        {5, 0.25, 0, 1},
        {5, 0.5, 2, 0},
        {5, 0.75, 2, 1},
        {5, 1, 3, 1},
        {32, 1, 30, 1},
        // No segment at all.
        {1, 0.5, 0, 0},
        {0, 0.5, 0, 0},
        {-4, 0.5, 0, 0},
    };
    for (const Case& c : cases) {
        const chain::ChainPosition p = chain::chain_position(c.count, c.r);
        EXPECT_EQ(p.k, c.k) << c.count << " points, r = " << c.r;
        EXPECT_EQ(p.t, c.t) << c.count << " points, r = " << c.r;
    }
}

TEST(ChainPosition, EveryPointerColumnLandsOnAnExistingSegment) {
    for (std::int32_t count = 2; count <= chain::kSlots; ++count) {
        for (int x = 0; x <= 799; ++x) {
            const double r = x / 799.0;
            const chain::ChainPosition p = chain::chain_position(count, r);
            ASSERT_GE(p.k, 0) << count << " " << x;
            ASSERT_LE(p.k, count - 2) << count << " " << x;
            ASSERT_GE(p.t, 0.0) << count << " " << x;
            ASSERT_LE(p.t, 1.0) << count << " " << x;
            ASSERT_EQ(p.k + p.t, (count - 1) * r) << count << " " << x;
        }
    }
}

}  // namespace
