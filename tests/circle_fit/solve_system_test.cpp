#include "solve_system.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using fit::Matrix;
using fit::Vector;

// An augmented matrix from its rows (the rest stays 0).
Matrix augmented(const std::vector<std::vector<double>>& rows) {
    Matrix a{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = 0; j < rows[i].size(); ++j) a[i][j] = rows[i][j];
    }
    return a;
}

// A sentinel in every slot, to see what the solver writes.
Vector untouched() {
    Vector x;
    x.fill(-7.25);
    return x;
}

TEST(SolveSystem, KnownAnswers) {
    struct Case {
        const char* what;
        std::vector<std::vector<double>> rows;
        std::vector<double> answer;
    };
    const std::vector<Case> cases = {
        {"one unknown", {{4, 10}}, {2.5}},
        {"3 x 3", {{2, 1, -1, 8}, {-3, -1, 2, -11}, {-2, 1, 2, -3}}, {2, 3, -1}},
        {"2 x 2 with a zero first pivot", {{0, 2, 4}, {3, 1, 5}}, {1, 2}},
        {"zero pivot at step 2", {{1, 1, 1, 6}, {1, 1, 2, 9}, {1, 2, 3, 14}}, {1, 2, 3}},
        {"several candidate rows", {{0, 1, 1, 5}, {1, 0, 1, 4}, {2, 1, 0, 4}}, {1, 2, 3}},
        {"nine unknowns",
         {{2, 1, 0, 0, 0, 0, 0, 0, 0, 4},
          {1, 2, 1, 0, 0, 0, 0, 0, 0, 8},
          {0, 1, 2, 1, 0, 0, 0, 0, 0, 12},
          {0, 0, 1, 2, 1, 0, 0, 0, 0, 16},
          {0, 0, 0, 1, 2, 1, 0, 0, 0, 20},
          {0, 0, 0, 0, 1, 2, 1, 0, 0, 24},
          {0, 0, 0, 0, 0, 1, 2, 1, 0, 28},
          {0, 0, 0, 0, 0, 0, 1, 2, 1, 32},
          {0, 0, 0, 0, 0, 0, 0, 1, 2, 26}},
         {1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        Vector x = untouched();
        const auto m = static_cast<std::uint8_t>(c.answer.size());
        ASSERT_TRUE(fit::solve_system(m, augmented(c.rows), x)) << c.what;
        for (std::size_t i = 0; i < c.answer.size(); ++i) {
            EXPECT_NEAR(x[i], c.answer[i], 1e-12) << c.what << ", unknown " << i;
        }
        for (std::size_t i = c.answer.size(); i < x.size(); ++i) EXPECT_EQ(x[i], -7.25) << c.what;
    }
}

TEST(SolveSystem, TwoByTwoRowExchange) {
    Matrix a = augmented({{0, 2, 4}, {3, 1, 5}});
    ASSERT_TRUE(fit::exchange_for_pivot(a, 0, 2));
    EXPECT_EQ(a, augmented({{3, 1, 5}, {0, 2, 4}}));
}

// With candidate rows i1 < i2 < ... < iq, the last ends up as the pivot row, the former pivot
// row moves to i1, and every other candidate to the place of the next one; rows with a zero in
// the pivot column stay where they are.
TEST(SolveSystem, RowExchangeTakesTheLastCandidate) {
    Matrix a = augmented({{0, 1, 1, 1, 1}, {1, 2, 2, 2, 2}, {2, 3, 3, 3, 3}, {3, 4, 4, 4, 4}});
    ASSERT_TRUE(fit::exchange_for_pivot(a, 0, 4));
    EXPECT_EQ(a, augmented({{3, 4, 4, 4, 4}, {0, 1, 1, 1, 1}, {1, 2, 2, 2, 2}, {2, 3, 3, 3, 3}}));

    Matrix b = augmented({{0, 1, 1, 1, 1}, {1, 2, 2, 2, 2}, {0, 3, 3, 3, 3}, {3, 4, 4, 4, 4}});
    ASSERT_TRUE(fit::exchange_for_pivot(b, 0, 4));
    EXPECT_EQ(b, augmented({{3, 4, 4, 4, 4}, {0, 1, 1, 1, 1}, {0, 3, 3, 3, 3}, {1, 2, 2, 2, 2}}));
}

// At step k only columns k ... m move; the columns before k and after the right-hand side stay.
TEST(SolveSystem, RowExchangeMovesOnlyColumnsFromThePivotOn) {
    Matrix a = augmented({{9, 9, 9, 9}, {5, 0, 1, 2}, {6, 3, 4, 5}});
    a[1][5] = 11;
    a[2][5] = 12;
    ASSERT_TRUE(fit::exchange_for_pivot(a, 1, 3));
    Matrix expected = augmented({{9, 9, 9, 9}, {5, 3, 4, 5}, {6, 0, 1, 2}});
    expected[1][5] = 11;
    expected[2][5] = 12;
    EXPECT_EQ(a, expected);
}

TEST(SolveSystem, SingularSystemsWriteNothing) {
    struct Case {
        const char* what;
        std::vector<std::vector<double>> rows;
        std::uint8_t m;
    };
    const std::vector<Case> cases = {
        {"zero column at step 1", {{0, 1, 2}, {0, 3, 4}}, 2},
        {"dependent rows", {{1, 2, 3}, {2, 4, 6}}, 2},
        {"all zero", {{0, 0, 0}, {0, 0, 0}}, 2},
        {"rank 2 of 3", {{1, 2, 3, 1}, {4, 5, 6, 2}, {7, 8, 9, 3}}, 3},
        {"a zero equation", {{0, 5}}, 1},
    };
    for (const Case& c : cases) {
        Vector x = untouched();
        EXPECT_FALSE(fit::solve_system(c.m, augmented(c.rows), x)) << c.what;
        EXPECT_EQ(x, untouched()) << c.what;
    }
    Matrix a = augmented({{0, 1, 2}, {0, 3, 4}});
    EXPECT_FALSE(fit::exchange_for_pivot(a, 0, 2));
    EXPECT_EQ(a, augmented({{0, 1, 2}, {0, 3, 4}}));
}

TEST(SolveSystem, LeavesTheCallersMatrixAlone) {
    const Matrix a = augmented({{0, 1, 1, 5}, {1, 0, 1, 4}, {2, 1, 0, 4}});
    const Matrix copy = a;
    Vector x{};
    ASSERT_TRUE(fit::solve_system(3, a, x));
    EXPECT_EQ(a, copy);
}

TEST(SolveSystem, SizesOutsideOneToNineAreRefused) {
    const Matrix a = augmented({{1, 1}});
    for (const int m : {0, 10, 255}) {
        Vector x = untouched();
        EXPECT_FALSE(fit::solve_system(static_cast<std::uint8_t>(m), a, x)) << m;
        EXPECT_EQ(x, untouched()) << m;
    }
}

// Non-zero pivots whose product underflows to 0 would divide by zero and write NaN; the
// system counts as unsolvable instead.
TEST(SolveSystem, UnderflowingPivotProductWritesNothing) {
    Vector x = untouched();
    EXPECT_FALSE(fit::solve_system(2, augmented({{1e-200, 0, 1e-200}, {0, 1, 1}}), x));
    EXPECT_EQ(x, untouched());
}

}  // namespace
