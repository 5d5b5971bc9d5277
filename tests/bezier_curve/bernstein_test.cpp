#include "bernstein.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using bezier::BasisTable;
using bezier::bezier_point;
using bezier::fill_bernstein;

constexpr std::int32_t kDegrees[] = {1, 2, 3, 7, 13, 15};
constexpr double kTs[] = {0.0, 1.0 / 199, 0.25, 0.5, 0.7, 198.0 / 199, 1.0};

double binomial(int m, int j) {
    double b = 1.0;
    for (int i = 1; i <= j; ++i) b = b * (m - j + i) / i;
    return b;
}

TEST(Bernstein, WeightsAreTheBinomialTermsAndSumToOne) {
    for (const std::int32_t m : kDegrees) {
        for (const double t : kTs) {
            BasisTable basis{};
            ASSERT_TRUE(fill_bernstein(basis, m, t));
            double sum = 0.0;
            for (int j = 0; j <= m; ++j) {
                const double expected = binomial(m, j) * std::pow(t, j) * std::pow(1 - t, m - j);
                EXPECT_NEAR(basis[0][static_cast<std::size_t>(j)], expected, 1e-13)
                    << "m=" << m << " t=" << t << " j=" << j;
                EXPECT_GE(basis[0][static_cast<std::size_t>(j)], 0.0);
                sum += basis[0][static_cast<std::size_t>(j)];
            }
            EXPECT_NEAR(sum, 1.0, 1e-14) << "m=" << m << " t=" << t;
        }
    }
}

TEST(Bernstein, EveryRowHoldsTheValuesOfItsDegree) {
    // Row m - d holds degree d; each of them sums to one as well.
    constexpr std::int32_t m = 13;
    constexpr double t = 0.3;
    BasisTable basis{};
    ASSERT_TRUE(fill_bernstein(basis, m, t));
    for (int d = 1; d <= m; ++d) {
        const auto& row = basis[static_cast<std::size_t>(m - d)];
        double sum = 0.0;
        for (int j = 0; j <= d; ++j) sum += row[static_cast<std::size_t>(j)];
        EXPECT_NEAR(sum, 1.0, 1e-14) << "d=" << d;
        EXPECT_NEAR(row[0], std::pow(1 - t, d), 1e-15) << "d=" << d;
        EXPECT_NEAR(row[static_cast<std::size_t>(d)], std::pow(t, d), 1e-15) << "d=" << d;
    }
}

TEST(Bernstein, EndsAreExactUnitWeights) {
    for (const std::int32_t m : kDegrees) {
        BasisTable at0{}, at1{};
        ASSERT_TRUE(fill_bernstein(at0, m, 0.0));
        ASSERT_TRUE(fill_bernstein(at1, m, 1.0));
        for (int j = 0; j <= m; ++j) {
            EXPECT_EQ(at0[0][static_cast<std::size_t>(j)], j == 0 ? 1.0 : 0.0) << m << " " << j;
            EXPECT_EQ(at1[0][static_cast<std::size_t>(j)], j == m ? 1.0 : 0.0) << m << " " << j;
        }
    }
}

TEST(Bernstein, DegreesTheTableCannotHoldAreRefused) {
    BasisTable basis{};
    basis[0][0] = 42.0;
    EXPECT_FALSE(fill_bernstein(basis, -1, 0.5));
    EXPECT_FALSE(fill_bernstein(basis, 16, 0.5));
    EXPECT_EQ(basis[0][0], 42.0);
    ASSERT_TRUE(fill_bernstein(basis, 0, 0.5));
    EXPECT_EQ(basis[0][0], 1.0);
}

TEST(BezierPoint, CubicMatchesTheClosedForm) {
    const std::vector<gfx::Point> p = {{10, 500}, {200, 20}, {600, 580}, {790, 100}};
    for (const double t : kTs) {
        BasisTable basis{};
        const auto c = bezier_point(p, basis, t);
        ASSERT_TRUE(c);
        const double u = 1 - t;
        const double x = u * u * u * p[0].x + 3 * u * u * t * p[1].x + 3 * u * t * t * p[2].x +
                         t * t * t * p[3].x;
        const double y = u * u * u * p[0].y + 3 * u * u * t * p[1].y + 3 * u * t * t * p[2].y +
                         t * t * t * p[3].y;
        EXPECT_NEAR(c->x, x, 1e-9) << t;
        EXPECT_NEAR(c->y, y, 1e-9) << t;
    }
}

TEST(BezierPoint, StartsAndEndsExactlyAtTheEndPoints) {
    // Fourteen points, some off the window, as a drag past the edges leaves them.
    std::vector<gfx::Point> p;
    for (int i = 0; i < 14; ++i) p.push_back({i * 57.0 - 30, 599.0 - i * 41.0});
    BasisTable basis{};
    const auto first = bezier_point(p, basis, 0.0);
    const auto last = bezier_point(p, basis, 199 * 1.0 / 199);
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->x, p.front().x);
    EXPECT_EQ(first->y, p.front().y);
    EXPECT_EQ(last->x, p.back().x);
    EXPECT_EQ(last->y, p.back().y);
}

TEST(BezierPoint, CountsOutsideTheTableGiveNoPoint) {
    BasisTable basis{};
    EXPECT_FALSE(bezier_point({}, basis, 0.5));
    const std::vector<gfx::Point> seventeen(17, gfx::Point{1, 2});
    EXPECT_FALSE(bezier_point(seventeen, basis, 0.5));
    const std::vector<gfx::Point> one = {{3, 4}};
    const auto c = bezier_point(one, basis, 0.5);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->x, 3.0);
    EXPECT_EQ(c->y, 4.0);
}

}  // namespace
