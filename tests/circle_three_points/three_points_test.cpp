#include "three_points.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using circle3::Triangle;
using gfx::Point;

// The three points as the program starts in an 800 x 600 window.
const Triangle kStart{{{399.5, 299.5}, {499.5, 299.5}, {449.5, 199.5}}};
// The same circle with the opposite turning sense.
const Triangle kReversed{{kStart[0], kStart[2], kStart[1]}};

// Visits the shading grid of an 800 x 600 window: 200 columns by 150 rows.
template <typename F>
void for_each_grid_point(F f) {
    for (int qy = 0; qy < 599; qy += 4) {
        for (int qx = 0; qx <= 799; qx += 4) f(Point{double(qx), double(qy)});
    }
}

TEST(CircleThroughThreePoints, StartingTriangle) {
    EXPECT_EQ(circle3::turning_sense(kStart), -10'000.0);
    const Point c = circle3::circle_centre(kStart, {0, 0});
    EXPECT_EQ(c.x, 449.5);
    EXPECT_EQ(c.y, 262.0);
    for (const Point& p : kStart) EXPECT_EQ(std::hypot(c.x - p.x, c.y - p.y), 62.5);
}

TEST(CircleThroughThreePoints, StartingTriangleShades766GridPoints) {
    int yellow = 0;
    for_each_grid_point([&](Point q) { yellow += circle3::in_circle_det(kStart, q) < 0; });
    EXPECT_EQ(yellow, 766);
}

// The sign of the determinant against the plain distance from the known centre, over the
// whole grid: negative exactly inside for the negative turning sense, exactly outside for the
// positive one, and zero on the circle.
TEST(InCircleDeterminant, SignFollowsTurningSense) {
    ASSERT_GT(circle3::turning_sense(kReversed), 0);
    const Point c{449.5, 262};
    const double r2 = 62.5 * 62.5;
    for_each_grid_point([&](Point q) {
        const double d2 = (q.x - c.x) * (q.x - c.x) + (q.y - c.y) * (q.y - c.y);
        const double det = circle3::in_circle_det(kStart, q);
        const double flipped = circle3::in_circle_det(kReversed, q);
        if (d2 < r2) {
            EXPECT_LT(det, 0) << q.x << ", " << q.y;
            EXPECT_GT(flipped, 0) << q.x << ", " << q.y;
        } else if (d2 > r2) {
            EXPECT_GT(det, 0) << q.x << ", " << q.y;
            EXPECT_LT(flipped, 0) << q.x << ", " << q.y;
        }
    });
}

TEST(InCircleDeterminant, ExactlyZeroOnTheCircle) {
    const std::vector<Point> on_circle = {
        kStart[0],
        kStart[1],
        kStart[2],
        {449.5, 324.5},
        {387, 262},
        {512, 262},
        {449.5 + 37.5, 262 + 50},  // a 3-4-5 triangle scaled by 12.5
        {449.5 - 50, 262 - 37.5}};
    for (const Point& q : on_circle) {
        EXPECT_EQ(circle3::in_circle_det(kStart, q), 0.0) << q.x << ", " << q.y;
        EXPECT_EQ(circle3::in_circle_det(kReversed, q), 0.0) << q.x << ", " << q.y;
    }
}

TEST(CircleThroughThreePoints, CentreIsEquidistant) {
    const std::vector<Triangle> cases = {
        {{{0, 0}, {4, 0}, {0, 3}}},
        {{{10, 20}, {700, 35}, {300, 580}}},
        {{{0.5, 0.5}, {65535, 0}, {100, 65535}}},  // dragged outside: 16-bit coordinates
        {{{400, 300}, {401, 300}, {400, 301}}},
    };
    for (const Triangle& t : cases) {
        const Point c = circle3::circle_centre(t, {-1, -1});
        const double r = std::hypot(c.x - t[0].x, c.y - t[0].y);
        for (const Point& p : t) EXPECT_NEAR(std::hypot(c.x - p.x, c.y - p.y), r, 1e-9 * r);
    }
}

TEST(CircleThroughThreePoints, CollinearPointsKeepThePreviousCentre) {
    const Point previous{450, 352.5};
    const std::vector<Triangle> cases = {
        {{{400, 300}, {500, 300}, {450, 300}}}, {{{380, 300}, {500, 300}, {450, 300}}},
        {{{0, 0}, {10, 10}, {799, 799}}},       {{{5, 5}, {5, 5}, {5, 5}}},
        {{{100, 0}, {100, 599}, {100, 300}}},
    };
    for (const Triangle& t : cases) {
        EXPECT_EQ(circle3::turning_sense(t), 0.0);
        const Point c = circle3::circle_centre(t, previous);
        EXPECT_EQ(c.x, previous.x);
        EXPECT_EQ(c.y, previous.y);
    }
}

// Collinear points: zero on their line, opposite signs on its two sides, and the side that is
// negative changes with the order of the points along the line.
TEST(InCircleDeterminant, CollinearPointsSplitThePlaneAtTheirLine) {
    const Triangle t{{{400, 300}, {500, 300}, {450, 300}}};
    const Triangle swapped{{{500, 300}, {400, 300}, {450, 300}}};
    for (const double x : {0.0, 123.0, 450.0, 799.0}) {
        EXPECT_EQ(circle3::in_circle_det(t, {x, 300}), 0.0);
        const double above = circle3::in_circle_det(t, {x, 100});
        const double below = circle3::in_circle_det(t, {x, 500});
        EXPECT_LT(above * below, 0);
        EXPECT_LT(above * circle3::in_circle_det(swapped, {x, 100}), 0);
    }
}

TEST(NearestPoint, StrictlyNearerWinsTiesGoToTheLowerIndex) {
    const Triangle t{{{400, 300}, {500, 300}, {450, 200}}};
    struct Case {
        double x, y;
        std::size_t expected;
    };
    const std::vector<Case> cases = {
        {450, 400, 0},  // as far from P[0] as from P[1]
        {575, 200, 1},  // as far from P[1] as from P[2]
        {450, 250, 2},  // P[0] and P[1] tie farther away than P[2]
        {0, 300, 0},   {0, 0, 2},     {799, 300, 1},   {450, 0, 2},
        {500, 300, 1}, {450, 200, 2}, {65535, 300, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(circle3::nearest_point(t, c.x, c.y), c.expected) << c.x << ", " << c.y;
    }
    const Triangle same{{{10, 10}, {10, 10}, {10, 10}}};
    EXPECT_EQ(circle3::nearest_point(same, 700, 500), 0u);
}

}  // namespace
