#include "uniform_bspline.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using bspline::Marker;
using bspline::marker_matches;
using bspline::segment_point;
using bspline::step_marker;

constexpr double kSpeed = 0.01;
constexpr double kLower = 1.0;
constexpr double kUpper = 9.0;

const std::array<gfx::Point, 10> kPoints{{{79.9, 59.9},
                                          {239.7, 59.9},
                                          {79.9, 179.7},
                                          {319.6, 179.7},
                                          {479.4, 119.8},
                                          {559.3, 119.8},
                                          {559.3, 419.3},
                                          {239.7, 179.7},
                                          {159.8, 539.1},
                                          {719.1, 539.1}}};

gfx::Point midpoint(const gfx::Point& a, const gfx::Point& b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

TEST(Segment, StartsAndEndsAtTheMidpointsOfItsEdges) {
    for (std::size_t m = 1; m + 1 < kPoints.size(); ++m) {
        const gfx::Point& a = kPoints[m - 1];
        const gfx::Point& b = kPoints[m];
        const gfx::Point& c = kPoints[m + 1];
        const gfx::Point start = segment_point(a, b, c, 0.0);
        const gfx::Point end = segment_point(a, b, c, 1.0);
        EXPECT_NEAR(start.x, midpoint(a, b).x, 1e-12) << m;
        EXPECT_NEAR(start.y, midpoint(a, b).y, 1e-12) << m;
        EXPECT_NEAR(end.x, midpoint(b, c).x, 1e-12) << m;
        EXPECT_NEAR(end.y, midpoint(b, c).y, 1e-12) << m;
        // Half way: (a + 6b + c) / 8.
        const gfx::Point half = segment_point(a, b, c, 0.5);
        EXPECT_NEAR(half.x, (a.x + 6 * b.x + c.x) / 8, 1e-12) << m;
        EXPECT_NEAR(half.y, (a.y + 6 * b.y + c.y) / 8, 1e-12) << m;
    }
}

TEST(Segment, JointsOfConsecutiveSegmentsCoincide) {
    for (std::size_t m = 1; m + 2 < kPoints.size(); ++m) {
        const gfx::Point end = segment_point(kPoints[m - 1], kPoints[m], kPoints[m + 1], 1.0);
        const gfx::Point next = segment_point(kPoints[m], kPoints[m + 1], kPoints[m + 2], 0.0);
        EXPECT_NEAR(end.x, next.x, 1e-12) << "joint of segments " << m << " and " << m + 1;
        EXPECT_NEAR(end.y, next.y, 1e-12) << "joint of segments " << m << " and " << m + 1;
    }
}

// The weights add up to 1 for every t, also for the extra sample at 99/98: three equal points
// give that point.
TEST(Segment, WeightsSumToOne) {
    const gfx::Point p{-123.25, 4567.5};
    for (int j = 0; j <= 99; ++j) {
        const gfx::Point s = segment_point(p, p, p, j / 98.0);
        EXPECT_NEAR(s.x, p.x, 1e-9) << j;
        EXPECT_NEAR(s.y, p.y, 1e-9) << j;
    }
}

TEST(Marker, StepsTurnsBeforeTheStepAtBothEnds) {
    struct Case {
        Marker before;
        Marker after;
    };
    const Case cases[] = {
        {{1.0, 1.0}, {1.01, 1.0}},     // the first frame
        {{8.995, 1.0}, {9.005, 1.0}},  // below 9: still going up
        {{9.0, 1.0}, {8.99, -1.0}},    // at 9: turns, then steps down
        {{9.005, 1.0}, {8.995, -1.0}},
        {{1.0, -1.0}, {0.99, -1.0}},    // 1 is not below 1: still going down
        {{0.995, -1.0}, {1.005, 1.0}},  // below 1: turns
        {{5.0, -1.0}, {4.99, -1.0}},
    };
    for (const Case& c : cases) {
        const Marker m = step_marker(c.before, kLower, kUpper, kSpeed);
        EXPECT_NEAR(m.parameter, c.after.parameter, 1e-12) << c.before.parameter;
        EXPECT_EQ(m.direction, c.after.direction) << c.before.parameter;
    }
}

// From the start it runs up to about 9.01 and back down to about 0.99, a round trip in about
// 1600 frames, and keeps doing so.
TEST(Marker, RunsBackAndForthBetweenItsEnds) {
    Marker m;
    std::vector<int> turns;  // frames in which the direction changed
    double highest = m.parameter;
    double lowest = m.parameter;
    for (int frame = 1; frame <= 5000; ++frame) {
        const Marker next = step_marker(m, kLower, kUpper, kSpeed);
        if (next.direction != m.direction) turns.push_back(frame);
        m = next;
        highest = std::max(highest, m.parameter);
        lowest = std::min(lowest, m.parameter);
    }
    EXPECT_GT(highest, 9.0);
    EXPECT_LE(highest, 9.0 + kSpeed + 1e-9);
    EXPECT_LT(lowest, 1.0);
    EXPECT_GE(lowest, 1.0 - kSpeed - 1e-9);
    ASSERT_GE(turns.size(), 5u);
    EXPECT_NEAR(turns[0], 801, 1);  // the first upper turn
    for (std::size_t i = 1; i < turns.size(); ++i) {
        EXPECT_NEAR(turns[i] - turns[i - 1], 800, 2) << "between turns " << i - 1 << " and " << i;
    }
}

TEST(Marker, MatchesWithinTheToleranceBothWays) {
    struct Case {
        double sample, marker;
        bool matches;
    };
    // Binary fractions, so the boundary is exact.
    const Case cases[] = {
        {2.0, 2.0, true},  {2.0, 2.25, true}, {2.25, 2.0, true},
        {2.0, 2.5, false}, {2.5, 2.0, false}, {-2.25, -2.0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(marker_matches(c.sample, c.marker, 0.25), c.matches)
            << c.sample << " " << c.marker;
    }
}

}  // namespace
