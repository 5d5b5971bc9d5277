#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "circle_fit_math.hpp"

namespace {

using gfx::Point;

TEST(FitCircle, FourPointsOnACircle) {
    const std::vector<Point> pts = {{500, 300}, {300, 300}, {400, 200}, {400, 400}};
    const fit::NormalEquations eq = fit::normal_equations(pts);
    EXPECT_EQ(eq.xmin, 300);
    EXPECT_EQ(eq.ymin, 200);
    EXPECT_EQ(eq.m[0], (fit::Vector{60'000, 40'000, -400, 16'000'000}));
    EXPECT_EQ(eq.m[1], (fit::Vector{40'000, 60'000, -400, 16'000'000}));
    EXPECT_EQ(eq.m[2], (fit::Vector{400, 400, -4, 120'000}));
    fit::Vector s{};
    ASSERT_TRUE(fit::solve_system(3, eq.m, s));
    EXPECT_NEAR(s[0], 200, 1e-9);
    EXPECT_NEAR(s[1], 200, 1e-9);
    EXPECT_NEAR(s[2], 10'000, 1e-6);
    const fit::Circle c = fit::fit_circle(pts);
    EXPECT_NEAR(c.centre.x, 400, 1e-9);
    EXPECT_NEAR(c.centre.y, 300, 1e-9);
    EXPECT_NEAR(c.radius, 100, 1e-9);
}

// Twelve whole-pixel points on the circle of radius 25 around (123, 456).
TEST(FitCircle, PointsOnACircleGiveThatCircle) {
    std::vector<Point> pts;
    for (const auto& [dx, dy] : std::vector<std::pair<double, double>>{{25, 0},
                                                                       {-25, 0},
                                                                       {0, 25},
                                                                       {0, -25},
                                                                       {15, 20},
                                                                       {-15, 20},
                                                                       {15, -20},
                                                                       {-15, -20},
                                                                       {20, 15},
                                                                       {-20, 15},
                                                                       {20, -15},
                                                                       {-20, -15}}) {
        pts.push_back({123 + dx, 456 + dy});
    }
    const fit::Circle c = fit::fit_circle(pts);
    EXPECT_NEAR(c.centre.x, 123, 1e-9);
    EXPECT_NEAR(c.centre.y, 456, 1e-9);
    EXPECT_NEAR(c.radius, 25, 1e-9);
}

// r^2 is the mean squared distance of the points from the fitted centre (the third normal
// equation), for clouds like the program's.
TEST(FitCircle, RadiusIsTheRootMeanSquareDistance) {
    std::mt19937 gen(2024);
    std::uniform_int_distribution<int> count(4, 29), xs(0, 798), ys(0, 598);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<Point> pts(static_cast<std::size_t>(count(gen)));
        for (Point& p : pts) p = {double(xs(gen)), double(ys(gen))};
        const fit::Circle c = fit::fit_circle(pts);
        double mean = 0;
        for (const Point& p : pts) {
            mean +=
                ((p.x - c.centre.x) * (p.x - c.centre.x) + (p.y - c.centre.y) * (p.y - c.centre.y));
        }
        mean /= static_cast<double>(pts.size());
        EXPECT_NEAR(c.radius * c.radius, mean, 1e-6 * mean) << "trial " << trial;
    }
}

// All points on one straight line: the system is singular, A = B = C = 0, so the circle has
// radius 0 at the top-left corner of the bounding box.
TEST(FitCircle, CollinearCloudsAreSingular) {
    struct Case {
        const char* what;
        std::vector<Point> pts;
        Point corner;
    };
    const std::vector<Case> cases = {
        {"vertical", {{100, 50}, {100, 598}, {100, 0}, {100, 300}}, {100, 0}},
        {"horizontal", {{0, 7}, {798, 7}, {400, 7}, {3, 7}, {5, 7}}, {0, 7}},
        {"slanting through the corner", {{10, 10}, {20, 30}, {40, 70}, {30, 50}}, {10, 10}},
        {"slanting the other way", {{10, 70}, {20, 50}, {40, 10}, {30, 30}}, {10, 10}},
        {"one spot", {{321, 123}, {321, 123}, {321, 123}, {321, 123}}, {321, 123}},
        {"two spots", {{0, 598}, {798, 0}, {0, 598}, {798, 0}}, {0, 0}},
    };
    for (const Case& c : cases) {
        fit::Vector s = {};
        EXPECT_FALSE(fit::solve_system(3, fit::normal_equations(c.pts).m, s)) << c.what;
        const fit::Circle f = fit::fit_circle(c.pts);
        EXPECT_EQ(f.centre.x, c.corner.x) << c.what;
        EXPECT_EQ(f.centre.y, c.corner.y) << c.what;
        EXPECT_EQ(f.radius, 0.0) << c.what;
    }
}

// The zero pivot is found by an exact comparison, so it has to come out exactly 0 for every
// straight cloud the program can scatter: 4 to 29 whole-pixel points in the window.
TEST(FitCircle, EveryCollinearWindowCloudIsSingular) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> count(4, 29), coord(-40, 40), start_x(0, 798),
        start_y(0, 598);
    int clouds = 0;
    while (clouds < 2000) {
        const int dx = coord(gen), dy = coord(gen);
        const Point p0{double(start_x(gen)), double(start_y(gen))};
        std::vector<Point> pts;
        const int n = count(gen);
        for (int i = 0; i < n; ++i) {
            const int k = std::uniform_int_distribution<int>(-20, 20)(gen);
            pts.push_back({p0.x + k * dx, p0.y + k * dy});
        }
        bool inside = true;
        for (const Point& p : pts) inside &= p.x >= 0 && p.x <= 798 && p.y >= 0 && p.y <= 598;
        if (!inside) continue;
        ++clouds;
        fit::Vector s{};
        EXPECT_FALSE(fit::solve_system(3, fit::normal_equations(pts).m, s))
            << "line through " << p0.x << ", " << p0.y << " step " << dx << ", " << dy;
        EXPECT_EQ(fit::fit_circle(pts).radius, 0.0);
    }
}

// Nearly collinear: a huge circle far below the cloud, still a finite figure.
TEST(FitCircle, NearlyCollinearCloud) {
    const std::vector<Point> pts = {{0, 0}, {400, 1}, {798, 3}, {200, 0}};
    const fit::Circle c = fit::fit_circle(pts);
    ASSERT_TRUE(std::isfinite(c.centre.x) && std::isfinite(c.centre.y) && std::isfinite(c.radius));
    EXPECT_NEAR(c.centre.y, 99'400, 500);
    EXPECT_NEAR(c.radius, c.centre.y, 500);
}

}  // namespace
