// The clipped rasterisers against plain unclipped ones that draw every pixel of the primitive
// and keep those inside the page.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "page.hpp"

namespace {

using gfx::Page;
using Pixels = std::set<std::pair<int, int>>;

// Nearest integer to p / q (q > 0), ties towards the smaller value; computed in long double
// from scratch rather than by the integer stepping of the layer.
long long nearest_ties_down(long long p, long long q) {
    const long double v = static_cast<long double>(p) / static_cast<long double>(q);
    long long f = static_cast<long long>(std::floor(v));
    // f <= v < f + 1: take f + 1 only when strictly past the half (checked exactly).
    if (2 * (p - f * q) > q) ++f;
    return f;
}

Pixels reference_line(int x1, int y1, int x2, int y2) {
    Pixels all;
    const long long dx = x2 - x1, dy = y2 - y1;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) {
        all.insert({x1, y1});
        return all;
    }
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    for (long long i = 0; i <= n; ++i) {
        // Walk from the end with the smaller major coordinate.
        long long x, y;
        if (x_major) {
            const long long x0 = dx >= 0 ? x1 : x2, y0 = dx >= 0 ? y1 : y2;
            const long long m = dx >= 0 ? dy : -dy;
            x = x0 + i;
            y = y0 + nearest_ties_down(i * m, n);
        } else {
            const long long y0 = dy >= 0 ? y1 : y2, x0 = dy >= 0 ? x1 : x2;
            const long long m = dy >= 0 ? dx : -dx;
            y = y0 + i;
            x = x0 + nearest_ties_down(i * m, n);
        }
        all.insert({static_cast<int>(x), static_cast<int>(y)});
    }
    return all;
}

Pixels reference_circle(int cx, int cy, int r) {
    Pixels all;
    if (r < 0) return all;
    for (long long x = 0;; ++x) {
        const long long n = static_cast<long long>(r) * r - x * x;
        const long long row = n <= 0 ? 0 : std::llround(std::sqrt(static_cast<long double>(n)));
        if (x > row) break;
        const long long pts[8][2] = {{x, row}, {-x, row}, {x, -row}, {-x, -row},
                                     {row, x}, {-row, x}, {row, -x}, {-row, -x}};
        for (const auto& p : pts)
            all.insert({static_cast<int>(cx + p[0]), static_cast<int>(cy + p[1])});
    }
    return all;
}

Pixels inside(const Pixels& all) {
    Pixels in;
    for (const auto& p : all) {
        if (p.first >= 0 && p.first < gfx::kPageWidth && p.second >= 0 &&
            p.second < gfx::kPageHeight)
            in.insert(p);
    }
    return in;
}

Pixels drawn(const Page& page) {
    Pixels set;
    for (int y = 0; y < gfx::kPageHeight; ++y) {
        for (int x = 0; x < gfx::kPageWidth; ++x) {
            if (page[static_cast<std::size_t>(y) * gfx::kPageWidth + static_cast<std::size_t>(x)] !=
                0)
                set.insert({x, y});
        }
    }
    return set;
}

class Raster : public ::testing::Test {
  protected:
    Page page{};
    void SetUp() override { page.fill(0); }
};

TEST_F(Raster, LinesMatchTheUnclippedLineInsideThePage) {
    struct L {
        int x1, y1, x2, y2;
    };
    std::vector<L> lines = {
        {-30000, 5, 30000, 9},
        {10, 10, 10, 10},
        {0, 0, 799, 599},
        {799, 0, 0, 599},
        {-32768, -32768, 32767, 32767},
        {32767, -32768, -32768, 32767},
        {400, -20000, 401, 20000},
        {-5, 300, 805, 300},
        {100, 599, 700, 600},
        {-1, -1, 800, 600},
        {0, 10, 3, 11},
        {3, 11, 0, 10},
        {-100, 700, 900, -100},
        {799, 599, 32767, 32767},
        {12, 7, 12, -7},
    };
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> far(-32768, 32767), near(-100, 900);
    for (int i = 0; i < 60; ++i) lines.push_back({far(rng), far(rng), far(rng), far(rng)});
    for (int i = 0; i < 100; ++i) lines.push_back({near(rng), near(rng), near(rng), near(rng)});
    for (const L& l : lines) {
        page.fill(0);
        gfx::draw_line(page, l.x1, l.y1, l.x2, l.y2, 1);
        ASSERT_EQ(drawn(page), inside(reference_line(l.x1, l.y1, l.x2, l.y2)))
            << l.x1 << "," << l.y1 << " -> " << l.x2 << "," << l.y2;
    }
}

TEST_F(Raster, LineDrawsTheSamePixelsInBothDirections) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> c(-50, 850);
    for (int i = 0; i < 200; ++i) {
        const int a = c(rng), b = c(rng), d = c(rng), e = c(rng);
        page.fill(0);
        gfx::draw_line(page, a, b, d, e, 1);
        const Pixels forward = drawn(page);
        page.fill(0);
        gfx::draw_line(page, d, e, a, b, 1);
        EXPECT_EQ(forward, drawn(page));
    }
}

TEST_F(Raster, LineInsideThePageHasOnePixelPerStepAndItsEnds) {
    gfx::draw_line(page, 10, 20, 110, 57, 1);
    const Pixels p = drawn(page);
    EXPECT_EQ(p.size(), 101u);
    EXPECT_TRUE(p.count({10, 20}));
    EXPECT_TRUE(p.count({110, 57}));
}

TEST_F(Raster, CirclesMatchTheUnclippedCircleInsideThePage) {
    struct C {
        int cx, cy, r;
    };
    std::vector<C> circles = {
        {400, 300, 0},
        {400, 300, 1},
        {400, 300, 10},
        {400, 300, 28},
        {0, 0, 5},
        {799, 599, 40},
        {400, 300, 20000},
        {400, 20300, 20000},
        {-19800, 300, 20000},
        {-32768, -32768, 32767},
        {32767, 32767, 32767},
        {400, 300, 32767},
        {450, 262, 62},
        {-3, 300, 2},
        {400, 601, 2},
        {1000, 300, 201},
        {400, 300, 499},
    };
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> far(-32768, 32767), rad(0, 32767), near(-200, 1000),
        small(0, 400);
    for (int i = 0; i < 15; ++i) circles.push_back({far(rng), far(rng), rad(rng)});
    for (int i = 0; i < 80; ++i) circles.push_back({near(rng), near(rng), small(rng)});
    for (const C& c : circles) {
        page.fill(0);
        gfx::draw_circle(page, c.cx, c.cy, c.r, 1);
        ASSERT_EQ(drawn(page), inside(reference_circle(c.cx, c.cy, c.r)))
            << "centre " << c.cx << "," << c.cy << " radius " << c.r;
    }
}

TEST_F(Raster, CircleOfRadiusZeroIsOnePixelAndNegativeRadiusNothing) {
    gfx::draw_circle(page, 5, 6, 0, 1);
    EXPECT_EQ(drawn(page), (Pixels{{5, 6}}));
    page.fill(0);
    gfx::draw_circle(page, 400, 300, -1, 1);
    gfx::draw_circle(page, 400, 300, -32768, 1);
    EXPECT_TRUE(drawn(page).empty());
}

TEST_F(Raster, CirclePixelsLieWithinHalfAPixelOfTheRadiusAndAreSymmetric) {
    for (int r : {1, 2, 3, 10, 28, 40, 200}) {
        page.fill(0);
        gfx::draw_circle(page, 400, 300, r, 1);
        const Pixels p = drawn(page);
        for (const auto& [x, y] : p) {
            const double d = std::hypot(x - 400, y - 300);
            EXPECT_LT(std::fabs(d - r), 0.75) << r;
            EXPECT_TRUE(p.count({800 - x, y}));
            EXPECT_TRUE(p.count({x, 600 - y}));
            EXPECT_TRUE(p.count({400 + (y - 300), 300 + (x - 400)}));
        }
        EXPECT_TRUE(p.count({400 + r, 300}));
        EXPECT_TRUE(p.count({400, 300 - r}));
    }
}

}  // namespace
