// The five least-squares models: sums, coefficients and curve values.
#include "models.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace {

using regression::Coefficients;
using regression::Sums;

struct Pair {
    double x, y;
};

Sums sums_of(std::int32_t model, const std::vector<Pair>& pairs) {
    Sums s;
    for (const Pair& p : pairs) regression::add_pair(s, model, p.x, p.y);
    return s;
}

std::optional<Coefficients> fit_pairs(std::int32_t model, const std::vector<Pair>& pairs) {
    return regression::fit(model, sums_of(model, pairs), static_cast<std::int32_t>(pairs.size()));
}

struct KnownCurve {
    const char* name;
    std::int32_t model;
    std::function<double(double)> f;
    Coefficients expected;
};

TEST(Fit, EachModelRecoversTheCurveItsPairsLieOn) {
    const KnownCurve curves[] = {
        {"linear", regression::kLinear, [](double x) { return 40 + 0.5 * x; }, {40, 0.5, 0}},
        {"hyperbolic",
         regression::kHyperbolic,
         [](double x) { return 100 + 2000 / x; },
         {100, 2000, 0}},
        {"power", regression::kPower, [](double x) { return 2 * std::pow(x, 0.7); }, {2, 0.7, 0}},
        {"exponential",
         regression::kExponential,
         [](double x) { return 5 * std::exp(0.004 * x); },
         {5, 0.004, 0}},
        {"parabolic",
         regression::kParabolic,
         [](double x) { return 10 + 0.5 * x + 0.002 * x * x; },
         {10, 0.5, 0.002}},
    };
    for (const KnownCurve& k : curves) {
        SCOPED_TRACE(k.name);
        std::vector<Pair> pairs;
        for (double x = 7; x < 799; x += 53) pairs.push_back({x, k.f(x)});
        const auto c = fit_pairs(k.model, pairs);
        ASSERT_TRUE(c.has_value());
        EXPECT_NEAR(c->b0, k.expected.b0, 1e-6 * std::fabs(k.expected.b0));
        EXPECT_NEAR(c->b1, k.expected.b1, 1e-6 * std::fabs(k.expected.b1));
        EXPECT_NEAR(c->b2, k.expected.b2, 1e-6 * std::fabs(k.expected.b2) + 1e-12);
        // And the curve follows it column by column.
        for (std::int32_t j : {1, 100, 400, 799}) {
            const auto v = regression::curve_value(k.model, *c, j);
            ASSERT_TRUE(v.has_value());
            EXPECT_NEAR(*v, k.f(j), 1e-6 * std::fabs(k.f(j)) + 1e-9) << j;
        }
    }
}

TEST(Fit, TheLinearFitOfScatteredPairsIsTheLeastSquaresLine) {
    // (0, 1), (1, 3), (2, 2), (3, 5): slope 5.5 / 5, through the mean point (1.5, 2.75).
    const auto c = fit_pairs(regression::kLinear, {{0, 1}, {1, 3}, {2, 2}, {3, 5}});
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR(c->b1, 1.1, 1e-12);
    EXPECT_NEAR(c->b0, 1.1, 1e-12);
}

TEST(Fit, PairsWithUndefinedTermsAreLeftOutOfThatModelOnly) {
    const std::vector<Pair> good = {{10, 50}, {200, 80}, {450, 300}, {700, 20}, {333, 333}};
    struct Case {
        std::int32_t model;
        Pair extra;
        bool left_out;
    };
    const Case cases[] = {
        {regression::kHyperbolic, {0, 100}, true},   // 1/x
        {regression::kPower, {0, 100}, true},        // ln x
        {regression::kPower, {100, 0}, true},        // ln y
        {regression::kExponential, {100, 0}, true},  // ln y
        {regression::kPower, {-3, 100}, true},       // no logarithm of a negative either
        {regression::kLinear, {0, 0}, false},        {regression::kHyperbolic, {100, 0}, false},
        {regression::kExponential, {0, 100}, false}, {regression::kParabolic, {0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.model << " (" << c.extra.x << ", " << c.extra.y << ")");
        std::vector<Pair> with = good;
        with.push_back(c.extra);
        const auto a = fit_pairs(c.model, good);
        const auto b = fit_pairs(c.model, with);
        ASSERT_TRUE(a && b);
        const Sums s = sums_of(c.model, with);
        if (c.left_out) {
            // Left out of the sums and of n: the fit is that of the other pairs, exactly.
            EXPECT_EQ(s.left_out, 1);
            EXPECT_EQ(s.n, 5);
            EXPECT_EQ(b->b0, a->b0);
            EXPECT_EQ(b->b1, a->b1);
        } else {
            EXPECT_EQ(s.left_out, 0);
            EXPECT_EQ(s.n, 6);
            EXPECT_NE(b->b1, a->b1);
        }
        EXPECT_TRUE(std::isfinite(b->b0) && std::isfinite(b->b1) && std::isfinite(b->b2));
    }
}

TEST(Fit, NoCurveWithoutAUniqueSolution) {
    struct Case {
        const char* what;
        std::int32_t model;
        std::vector<Pair> pairs;
        std::int32_t count;  // the count asked for
    };
    const std::vector<Pair> one = {{300, 200}};
    const std::vector<Pair> column = {{300, 200}, {300, 10}, {300, 500}};
    const std::vector<Pair> two_columns = {{300, 200}, {300, 10}, {500, 500}, {500, 7}};
    const Case cases[] = {
        {"no pair", regression::kLinear, {}, 0},
        {"no pair", regression::kHyperbolic, {}, 0},
        {"no pair", regression::kPower, {}, 0},
        {"no pair", regression::kExponential, {}, 0},
        {"no pair", regression::kParabolic, {}, 0},
        {"negative count", regression::kLinear, {}, -4},
        {"negative count", regression::kHyperbolic, {}, -4},
        {"negative count", regression::kPower, {}, -4},
        {"negative count", regression::kParabolic, {}, -4},
        {"one pair", regression::kLinear, one, 1},
        {"one pair", regression::kHyperbolic, one, 1},
        {"one pair", regression::kPower, one, 1},
        {"one pair", regression::kParabolic, one, 1},
        {"one abscissa", regression::kLinear, column, 3},
        {"one abscissa", regression::kHyperbolic, column, 3},
        {"one abscissa", regression::kPower, column, 3},
        {"one abscissa", regression::kParabolic, column, 3},
        {"two abscissae", regression::kParabolic, two_columns, 4},
        // Pairs left out leave too few behind.
        {"only x = 0", regression::kHyperbolic, {{0, 5}, {0, 9}, {40, 9}}, 3},
        {"only y = 0", regression::kExponential, {{10, 0}, {20, 0}}, 2},
        {"no model", 0, column, 3},
        {"no model", 6, two_columns, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << ", model " << c.model);
        EXPECT_FALSE(regression::fit(c.model, sums_of(c.model, c.pairs), c.count).has_value());
    }
}

TEST(Fit, TwoAbscissaeAreEnoughForTheStraightLineModels) {
    for (std::int32_t model : {regression::kLinear, regression::kHyperbolic, regression::kPower}) {
        SCOPED_TRACE(model);
        EXPECT_TRUE(fit_pairs(model, {{300, 200}, {300, 10}, {500, 500}}).has_value());
    }
    EXPECT_TRUE(fit_pairs(regression::kParabolic, {{1, 2}, {2, 5}, {3, 1}}).has_value());
}

TEST(Fit, ExponentialWithOnePairIsAHorizontalLineAtItsOrdinate) {
    for (const Pair p : {Pair{300, 200}, Pair{0, 598}, Pair{798, 1}}) {
        SCOPED_TRACE(p.x);
        const auto c = fit_pairs(regression::kExponential, {p});
        ASSERT_TRUE(c.has_value());
        // Zero up to the rounding of x * ln y, magnified by the guard's 1 / 0.001.
        EXPECT_NEAR(c->b1, 0, 1e-9);
        EXPECT_NEAR(c->b0, p.y, 1e-3);
        for (std::int32_t j : {1, 799}) EXPECT_NEAR(*regression::curve_value(4, *c, j), p.y, 1e-3);
    }
}

TEST(Fit, ExponentialAtOneAbscissaIsTheGeometricMean) {
    const auto c = fit_pairs(regression::kExponential, {{250, 8}, {250, 32}, {250, 128}});
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR(c->b1, 0, 1e-8);
    EXPECT_NEAR(c->b0, 32, 1e-3);  // (2^3 * 2^5 * 2^7)^(1/3)
    for (std::int32_t j : {1, 799}) EXPECT_NEAR(*regression::curve_value(4, *c, j), 32, 1e-3);
}

TEST(Fit, ExponentialWithANegativeCountIsTheLineYEqualsOne) {
    // No pairs: both sides of the guard are 0, the slope 0 / 0.001 and b0 = e^(0 / n).
    const auto c = regression::fit(regression::kExponential, Sums{}, -5);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->b1, 0);
    EXPECT_EQ(c->b0, 1);
    EXPECT_EQ(regression::curve_value(4, *c, 1), 1);
    EXPECT_EQ(regression::curve_value(4, *c, 799), 1);
}

// Two neighbouring columns far right with ordinates 598 and 1: the logarithmic fits are so
// steep that b0 = e^(about 34 000) is no double. No curve rather than one of infinities; the
// other way round b0 underflows to 0, and the columns where 0 * e^(b1 ln j) is no number are
// left out.
TEST(Fit, CoefficientsBeyondTheDoubleRangeGiveNoCurve) {
    for (std::int32_t model : {regression::kPower, regression::kExponential}) {
        SCOPED_TRACE(model);
        EXPECT_FALSE(fit_pairs(model, {{797, 598}, {798, 1}}).has_value());
    }
    const auto c = fit_pairs(regression::kPower, {{797, 1}, {798, 598}});
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->b0, 0);
    EXPECT_GT(c->b1, 5000);
    EXPECT_EQ(regression::curve_value(regression::kPower, *c, 1), 0);
    for (std::int32_t j : {100, 798, 799}) {
        EXPECT_FALSE(regression::curve_value(regression::kPower, *c, j).has_value()) << j;
    }
}

TEST(CurveValue, TheHyperbolaStartsAtColumnOne) {
    const Coefficients c{10, 500, 0};
    EXPECT_EQ(regression::curve_value(regression::kHyperbolic, c, 1), 510);
    EXPECT_EQ(regression::curve_value(regression::kHyperbolic, c, 500), 11);
}

TEST(CurveValue, NothingForValuesNoIntegerHolds) {
    struct Case {
        std::int32_t model;
        Coefficients c;
        std::int32_t j;
        bool drawable;
    };
    const Case cases[] = {
        {regression::kExponential, {1, 0.1, 0}, 400, true},    // e^40: large, but fits
        {regression::kExponential, {1, 0.1, 0}, 437, false},   // e^43.7 > 2^63
        {regression::kExponential, {1, 10, 0}, 799, false},    // beyond any double
        {regression::kExponential, {-1, 0.1, 0}, 799, false},  // far below -2^63
        {regression::kPower, {1, 7, 0}, 500, true},            // 500^7 < 2^63
        {regression::kPower, {1, 7, 0}, 600, false},           // 600^7 > 2^63
        {regression::kParabolic, {0, 0, 1.5e13}, 799, false},
        {regression::kLinear, {0x1p62, 0x1p62, 0}, 1, false},   // exactly 2^63
        {regression::kLinear, {-0x1p62, -0x1p62, 0}, 1, true},  // exactly -2^63 fits
        {regression::kLinear, {1e6, -3, 0}, 799, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " at " << c.j);
        EXPECT_EQ(regression::curve_value(c.model, c.c, c.j).has_value(), c.drawable);
    }
}

}  // namespace
