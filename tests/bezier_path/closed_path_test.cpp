// The path editor's table operations and the segments of the closed path.
#include "closed_path.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <vector>

namespace {

using bezier_path::PathTable;
using gfx::Point;

PathTable table_of(std::initializer_list<Point> points) {
    PathTable t;
    for (const Point& p : points) t.points[static_cast<std::size_t>(t.n++)] = p;
    return t;
}

std::vector<Point> contents(const PathTable& t) {
    return {t.points.begin(), t.points.begin() + t.n};
}

MATCHER_P2(IsPoint, x, y, "") {
    return arg.x == x && arg.y == y;
}

TEST(Insertion, PressesOnEmptySpaceWithFewPointsGoToTheFront) {
    PathTable t;
    const Point a{100, 100}, b{300, 120}, c{200, 400};
    for (const Point& p : {a, b, c}) ASSERT_TRUE(bezier_path::insert_point(t, p));
    EXPECT_THAT(contents(t),
                testing::ElementsAre(IsPoint(c.x, c.y), IsPoint(b.x, b.y), IsPoint(a.x, a.y)));
}

TEST(Insertion, GoesBetweenTheEndsOfTheNearestEdge) {
    // A square 0 (100,100), 1 (300,100), 2 (300,300), 3 (100,300); edges in the order met:
    // (3,0) closing -> index 0, (0,1) -> 1, (1,2) -> 2, (2,3) -> 3.
    const PathTable square = table_of({{100, 100}, {300, 100}, {300, 300}, {100, 300}});
    struct Case {
        Point m;
        std::int32_t index;
    };
    const Case cases[] = {
        {{90, 200}, 0},   // left of the closing edge
        {{200, 95}, 1},   // above the top edge
        {{320, 200}, 2},  // right of the right edge
        {{200, 310}, 3},  // below the bottom edge
        {{200, 200}, 0},  // the centre: all four at 100, the closing edge is met first
        {{310, 90}, 1},   // past corner 1: edges (0,1) and (1,2) tie, (0,1) is met first
        {{50, 50}, 0},    // past corner 0: the closing edge and (0,1) tie
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bezier_path::insertion_index(square, c.m), c.index) << c.m.x << "," << c.m.y;
    }
    PathTable t = square;
    ASSERT_TRUE(bezier_path::insert_point(t, {200, 95}));
    EXPECT_THAT(contents(t),
                testing::ElementsAre(IsPoint(100, 100), IsPoint(200, 95), IsPoint(300, 100),
                                     IsPoint(300, 300), IsPoint(100, 300)));
}

TEST(Insertion, AFullTableTakesNothing) {
    PathTable t;
    for (std::int32_t i = 0; i < bezier_path::kCapacity; ++i) {
        ASSERT_TRUE(bezier_path::insert_point(
            t, {static_cast<double>(i % 40 * 20), static_cast<double>(i / 40 * 20)}));
    }
    const std::vector<Point> before = contents(t);
    EXPECT_FALSE(bezier_path::insert_point(t, {700, 500}));
    EXPECT_EQ(t.n, bezier_path::kCapacity);
    const std::vector<Point> after = contents(t);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_THAT(after[i], IsPoint(before[i].x, before[i].y)) << i;
    }
}

TEST(EdgeDistance, MeasuresToTheNearestPointOfTheEdge) {
    struct Case {
        Point a, b, m;
        double squared;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, {5, 3}, 9},    // beside the edge: to the line
        {{0, 0}, {10, 0}, {-3, 4}, 25},  // before its start: to a
        {{0, 0}, {10, 0}, {13, 4}, 25},  // past its end: to b
        {{0, 0}, {10, 0}, {7, 0}, 0},    // on it
        {{0, 0}, {0, 10}, {2, 5}, 4},    // vertical
        {{0, 0}, {4, 4}, {0, 4}, 8},     // diagonal: the line through the edge
        {{5, 5}, {5, 5}, {8, 9}, 25},    // both ends on one spot: to that point
        {{5, 5}, {5, 5}, {5, 5}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(bezier_path::edge_distance_squared(c.a, c.b, c.m), c.squared)
            << c.m.x << "," << c.m.y;
    }
}

TEST(Insertion, AnEdgeWithCoincidentEndsCountsWithTheDistanceToThatPoint) {
    // Point 2 lies on point 0, so the closing edge (2, 0), met first, has no direction. It
    // counts with its distance to (100, 100) and so wins the tie with edge (0, 1); an edge
    // left out of the search would send the new point to index 1 instead.
    const PathTable t = table_of({{100, 100}, {300, 100}, {100, 100}});
    EXPECT_EQ(bezier_path::insertion_index(t, {50, 100}), 0);
    // A single point: its one edge is degenerate; the new point goes to index 0.
    EXPECT_EQ(bezier_path::insertion_index(table_of({{100, 100}}), {400, 300}), 0);
    // Two points on one spot: both edges are degenerate and tie.
    EXPECT_EQ(bezier_path::insertion_index(table_of({{100, 100}, {100, 100}}), {10, 20}), 0);
}

TEST(Grab, HitsOnlyCloserThanSixteenPixels) {
    const PathTable t = table_of({{200, 200}});
    struct Case {
        double dx, dy;
        std::int32_t index;
    };
    const Case cases[] = {
        {0, 0, 0},    {15, 0, 0}, {16, 0, -1}, {0, -16, -1}, {-16, 0, -1}, {11, 11, 0},  // 242
        {12, 10, 0},                                                                     // 244
        {12, 11, -1},                                                                    // 265
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bezier_path::grab_index(t, {200 + c.dx, 200 + c.dy}), c.index)
            << c.dx << "," << c.dy;
    }
    EXPECT_EQ(bezier_path::grab_index(PathTable{}, {0, 0}), -1);
}

TEST(Grab, ThePointWithTheLowerIndexWins) {
    const PathTable t = table_of({{400, 400}, {120, 100}, {100, 100}, {110, 110}});
    EXPECT_EQ(bezier_path::grab_index(t, {110, 102}), 1);
    EXPECT_EQ(bezier_path::grab_index(t, {100, 110}), 2);
}

TEST(Drop, HitsAnyPointButTheDraggedOne) {
    const PathTable t = table_of({{100, 100}, {300, 100}, {300, 300}});
    EXPECT_TRUE(bezier_path::drop_hits_other(t, 0, {295, 110}));
    EXPECT_FALSE(bezier_path::drop_hits_other(t, 0, {100, 100}));  // only itself there
    EXPECT_FALSE(bezier_path::drop_hits_other(t, 2, {316, 100}));  // exactly 16 away
    EXPECT_FALSE(bezier_path::drop_hits_other(t, 2, {301, 301}));  // itself again
}

TEST(Remove, ThePointsAfterMoveDownInOrder) {
    PathTable t = table_of({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
    bezier_path::remove_point(t, 1);
    EXPECT_THAT(contents(t), testing::ElementsAre(IsPoint(1, 1), IsPoint(3, 3), IsPoint(4, 4)));
    bezier_path::remove_point(t, 2);
    EXPECT_THAT(contents(t), testing::ElementsAre(IsPoint(1, 1), IsPoint(3, 3)));
    bezier_path::remove_point(t, 0);
    EXPECT_THAT(contents(t), testing::ElementsAre(IsPoint(3, 3)));
}

TEST(Segments, JoinEachOtherAndCloseThePath) {
    const PathTable t = table_of({{100, 80}, {420, 130}, {610, 470}, {250, 520}, {90, 300}});
    const Point start = bezier_path::path_start(t);
    EXPECT_THAT(bezier_path::segment_point(bezier_path::segment(t, 0), 0.0),
                IsPoint(start.x, start.y));
    for (std::int32_t k = 0; k < t.n; ++k) {
        const Point end = bezier_path::segment_point(bezier_path::segment(t, k), 1.0);
        const Point next = bezier_path::segment_point(bezier_path::segment(t, (k + 1) % t.n), 0.0);
        EXPECT_DOUBLE_EQ(end.x, next.x) << k;
        EXPECT_DOUBLE_EQ(end.y, next.y) << k;
        // Segment k ends at the midpoint of P(k-1), P(k), with P(k-1) as its middle control
        // point: at t = 1/2 it lies halfway between that point and the chord's midpoint.
        const Point pk = t.points[static_cast<std::size_t>(k)];
        const Point pb = t.points[static_cast<std::size_t>((k + t.n - 1) % t.n)];
        EXPECT_DOUBLE_EQ(end.x, (pb.x + pk.x) / 2) << k;
        EXPECT_DOUBLE_EQ(end.y, (pb.y + pk.y) / 2) << k;
    }
    const Point last = bezier_path::segment_point(bezier_path::segment(t, t.n - 1), 1.0);
    EXPECT_THAT(last, IsPoint(start.x, start.y));
}

TEST(Segments, TwoPointsMakeAStrokeBetweenTheQuarterPoints) {
    const PathTable t = table_of({{100, 200}, {500, 600}});
    double lowest = 1e9, highest = -1e9;
    for (std::int32_t k = 0; k < 2; ++k) {
        const bezier_path::Segment s = bezier_path::segment(t, k);
        for (std::int32_t j = 0; j <= 64; ++j) {
            const Point q = bezier_path::segment_point(s, j / 64.0);
            EXPECT_DOUBLE_EQ(q.y - q.x, 100.0);  // on the line through both points
            lowest = std::min(lowest, q.x);
            highest = std::max(highest, q.x);
        }
    }
    EXPECT_DOUBLE_EQ(lowest, 200.0);   // a quarter of the way from P0
    EXPECT_DOUBLE_EQ(highest, 400.0);  // three quarters
    // The first segment turns at the three-quarter point, the second at the quarter point.
    EXPECT_THAT(bezier_path::segment_point(bezier_path::segment(t, 0), 0.5), IsPoint(400, 500));
    EXPECT_THAT(bezier_path::segment_point(bezier_path::segment(t, 1), 0.5), IsPoint(200, 300));
}

}  // namespace
