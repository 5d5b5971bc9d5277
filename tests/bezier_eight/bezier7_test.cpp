// The degree-7 Bézier curve of bezier_eight and its nearest-point search.
#include "bezier7.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

namespace {

using bezier_eight::ControlPoints;

TEST(BernsteinWeight, IsTheBinomialTermAndTheWeightsSumToOne) {
    constexpr double kBinomial[] = {1, 7, 21, 35, 35, 21, 7, 1};
    for (const double t : {0.0, 1.0 / 99, 0.25, 1.0 / 3, 0.5, 0.8, 98.0 / 99, 1.0}) {
        double sum = 0.0;
        for (std::int32_t k = 0; k <= 7; ++k) {
            const double w = bezier_eight::bernstein_weight(k, t);
            EXPECT_NEAR(w, kBinomial[k] * std::pow(t, k) * std::pow(1 - t, 7 - k), 1e-15)
                << "k " << k << " t " << t;
            sum += w;
        }
        EXPECT_NEAR(sum, 1.0, 1e-15) << t;
    }
    // At the ends only the end weight is left, exactly.
    EXPECT_EQ(bezier_eight::bernstein_weight(0, 0.0), 1.0);
    EXPECT_EQ(bezier_eight::bernstein_weight(7, 1.0), 1.0);
    for (std::int32_t k = 1; k <= 7; ++k) EXPECT_EQ(bezier_eight::bernstein_weight(k, 0.0), 0.0);
    for (std::int32_t k = 0; k < 7; ++k) EXPECT_EQ(bezier_eight::bernstein_weight(k, 1.0), 0.0);
}

TEST(CurveVertex, StartsAndEndsAtTheEndPointsAndIsLinearOverEvenlySpacedPoints) {
    ControlPoints p{};
    for (std::size_t k = 0; k < p.size(); ++k) {
        p[k] = {100.0 + 70.0 * static_cast<double>(k), 500.0 - 40.0 * static_cast<double>(k)};
    }
    EXPECT_EQ(bezier_eight::curve_vertex(p, 0.0).x, p[0].x);
    EXPECT_EQ(bezier_eight::curve_vertex(p, 1.0).y, p[7].y);
    // Control points evenly spaced on a line give the line at uniform speed.
    for (int s = 0; s <= 99; ++s) {
        const double t = s / 99.0;
        const gfx::Point v = bezier_eight::curve_vertex(p, t);
        EXPECT_NEAR(v.x, 100.0 + 490.0 * t, 1e-9) << s;
        EXPECT_NEAR(v.y, 500.0 - 280.0 * t, 1e-9) << s;
    }
}

TEST(NearestIndex, FindsTheClosestPointAndTiesGoToTheLowerIndex) {
    ControlPoints p{};
    for (std::size_t k = 0; k < p.size(); ++k) p[k] = {100.0 * static_cast<double>(k), 50.0};
    p[5] = p[2];  // two points on one spot
    struct Case {
        double x, y;
        std::int32_t index;
    };
    const Case cases[] = {
        {0, 50, 0},   {340, 60, 3},        {750, 550, 7},  // far away: still the nearest
        {50, 50, 0},                                       // halfway between 0 and 1
        {650, 50, 6},                                      // halfway between 6 and 7
        {200, 50, 2},                                      // on the shared spot: 2, not 5
        {230, 70, 2}, {-65535, -65535, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bezier_eight::nearest_index(p, c.x, c.y), c.index) << c.x << "," << c.y;
    }
}

}  // namespace
