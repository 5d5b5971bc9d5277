// Lines and circle outlines, clipped to the page before rasterising.
//
// Both primitives are defined pixel by pixel in closed form, so the part of a primitive that
// falls inside the page can be found without walking the part outside it:
// - a line steps one pixel along its major axis; the minor coordinate at each step is the
//   exact position on the line rounded to the nearest pixel, ties towards the smaller
//   coordinate. The rule does not depend on the direction, so a->b draws what b->a draws.
// - a circle draws, for every offset x of its first octant (0 <= x <= y), the row y nearest to
//   sqrt(r^2 - x^2), mirrored into all eight octants.
#include "page.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace gfx {
namespace {

// floor(a / b) for b > 0.
std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && (a < 0)) --q;
    return q;
}

// Minor coordinate at major offset i of a line with major length d > 0 and minor delta m:
// round(i * m / d), ties down.  round_half_down(p/q) = floor((2p + q - 1) / 2q).
std::int64_t minor_offset(std::int64_t i, std::int64_t m, std::int64_t d) {
    return floor_div(2 * i * m + d - 1, 2 * d);
}

// First i in [lo, hi] with pred(i) true, for pred false...true monotone; hi + 1 if none.
template <typename Pred>
std::int64_t first_true(std::int64_t lo, std::int64_t hi, Pred pred) {
    std::int64_t a = lo, b = hi + 1;
    while (a < b) {
        const std::int64_t mid = a + (b - a) / 2;
        if (pred(mid)) {
            b = mid;
        } else {
            a = mid + 1;
        }
    }
    return a;
}

// Draws the pixels (major0 + i, minor0 + minor_offset(i)) for i in [0, d] that lie inside the
// page, `swap` telling whether major is y. Walks only the visible range.
void walk_line(Page& page, std::int64_t major0, std::int64_t minor0, std::int64_t d, std::int64_t m,
               bool swap, std::uint8_t colour) {
    const std::int64_t major_max = swap ? kPageHeight - 1 : kPageWidth - 1;
    const std::int64_t minor_max = swap ? kPageWidth - 1 : kPageHeight - 1;
    // A line with both ends on the page needs no cut: its minor coordinate runs between theirs.
    std::int64_t lo = 0;
    std::int64_t hi = d;
    const bool inside = major0 >= 0 && major0 + d <= major_max && minor0 >= 0 &&
                        minor0 <= minor_max && minor0 + m >= 0 && minor0 + m <= minor_max;
    if (!inside) {
        lo = std::max<std::int64_t>(0, -major0);
        hi = std::min<std::int64_t>(d, major_max - major0);
        if (lo > hi) return;
        auto minor_at = [&](std::int64_t i) { return minor0 + minor_offset(i, m, d); };
        // The minor coordinate is monotone in i: cut the range to where it is inside the page.
        if (m >= 0) {
            lo = first_true(lo, hi, [&](std::int64_t i) { return minor_at(i) >= 0; });
            hi = first_true(lo, hi, [&](std::int64_t i) { return minor_at(i) > minor_max; }) - 1;
        } else {
            lo = first_true(lo, hi, [&](std::int64_t i) { return minor_at(i) <= minor_max; });
            hi = first_true(lo, hi, [&](std::int64_t i) { return minor_at(i) < 0; }) - 1;
        }
        if (lo > hi) return;
    }
    // Incremental walk of floor((2im + d - 1) / 2d): numerator n, quotient q, remainder r.
    const std::int64_t den = 2 * d;
    const std::int64_t n0 = 2 * lo * m + d - 1;
    const std::int64_t q = floor_div(n0, den);
    std::int64_t r = n0 - q * den;    // 0 <= r < den
    const std::int64_t step = 2 * m;  // |step| <= den
    // Every pixel of [lo, hi] is on the page: step the index by a row or a column. (An index,
    // not a pointer: after the last pixel it may point off the page, and is not used.)
    const std::int64_t major_step = swap ? kPageWidth : 1;
    const std::int64_t minor_step = swap ? 1 : kPageWidth;
    std::uint8_t* const pixels = page.data();
    std::int64_t at = (major0 + lo) * major_step + (minor0 + q) * minor_step;
    for (std::int64_t i = lo; i <= hi; ++i) {
        pixels[at] = colour;
        at += major_step;
        r += step;
        if (r >= den) {
            r -= den;
            at += minor_step;
        } else if (r < 0) {
            r += den;
            at -= minor_step;
        }
    }
}

// Row of the first-octant circle point at column offset x: the integer nearest sqrt(r2 - x^2).
std::int64_t circle_row(std::int64_t r2, std::int64_t x) {
    const std::int64_t n = r2 - x * x;
    if (n <= 0) return 0;
    // Integer square root, corrected from the floating estimate.
    auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (s * s > n) --s;
    while ((s + 1) * (s + 1) <= n) ++s;
    // sqrt(n) >= s + 1/2 exactly when n >= s^2 + s + 1 (n is whole, so no ties).
    return (n - s * s > s) ? s + 1 : s;
}

// Circles at most this large that cross the page's edge are walked whole, each pixel tested:
// a few hundred tests cost less than cutting eight octants by bisection.
constexpr int kWalkWholeRadius = 64;

// The midpoint walk of the first octant: for x = 0, 1, ... while x <= y, the row y nearest to
// sqrt(r^2 - x^2), kept by e = 4 (r^2 - x^2) - (2y - 1)^2 (the row steps down while e < 0).
template <typename Plot8>
void walk_circle(int radius, Plot8 plot8) {
    std::int64_t x = 0, y = radius;
    std::int64_t e = 4 * std::int64_t{radius} - 1;
    while (x <= y) {
        plot8(static_cast<std::ptrdiff_t>(x), static_cast<std::ptrdiff_t>(y));
        ++x;
        e -= 8 * x - 4;
        while (e < 0 && y > 0) {
            --y;
            e += 8 * y;
        }
    }
}

}  // namespace

void draw_line(Page& page, int x1, int y1, int x2, int y2, std::uint8_t colour) {
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) {
        plot(page, x1, y1, colour);
        return;
    }
    if (adx >= ady) {
        // x major, walked left to right.
        if (dx < 0) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        walk_line(page, x1, y1, adx, std::int64_t{y2} - y1, false, colour);
    } else {
        if (dy < 0) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        walk_line(page, y1, x1, ady, std::int64_t{x2} - x1, true, colour);
    }
}

void draw_circle(Page& page, int cx, int cy, int radius, std::uint8_t colour) {
    if (radius < 0) return;
    // Every pixel lies within the radius of the centre along both axes.
    const std::int64_t left = std::int64_t{cx} - radius, right = std::int64_t{cx} + radius;
    const std::int64_t top = std::int64_t{cy} - radius, bottom = std::int64_t{cy} + radius;
    if (right < 0 || left >= kPageWidth || bottom < 0 || top >= kPageHeight) return;
    if (left >= 0 && right < kPageWidth && top >= 0 && bottom < kPageHeight) {
        std::uint8_t* const c = page.data() + static_cast<std::ptrdiff_t>(cy) * kPageWidth + cx;
        walk_circle(radius, [&](std::ptrdiff_t x, std::ptrdiff_t y) {
            const std::ptrdiff_t xw = x * kPageWidth, yw = y * kPageWidth;
            c[yw + x] = colour, c[yw - x] = colour, c[-yw + x] = colour, c[-yw - x] = colour;
            c[xw + y] = colour, c[xw - y] = colour, c[-xw + y] = colour, c[-xw - y] = colour;
        });
        return;
    }
    if (radius <= kWalkWholeRadius) {
        walk_circle(radius, [&](std::ptrdiff_t x, std::ptrdiff_t y) {
            const int a = static_cast<int>(x), b = static_cast<int>(y);
            plot(page, cx + a, cy + b, colour), plot(page, cx - a, cy + b, colour);
            plot(page, cx + a, cy - b, colour), plot(page, cx - a, cy - b, colour);
            plot(page, cx + b, cy + a, colour), plot(page, cx - b, cy + a, colour);
            plot(page, cx + b, cy - a, colour), plot(page, cx - b, cy - a, colour);
        });
        return;
    }
    const std::int64_t r2 = std::int64_t{radius} * radius;
    // Last column offset of the first octant: the largest x with x <= row(x).
    const std::int64_t x_end =
        first_true(0, radius, [&](std::int64_t x) { return x > circle_row(r2, x); }) - 1;
    // The eight mirror images (sx * a, sy * b) with (a, b) = (x, row) or (row, x).
    struct Mirror {
        int sx, sy;
        bool swapped;
    };
    constexpr Mirror kMirrors[8] = {{1, 1, false}, {-1, 1, false}, {1, -1, false}, {-1, -1, false},
                                    {1, 1, true},  {-1, 1, true},  {1, -1, true},  {-1, -1, true}};
    for (const Mirror& mi : kMirrors) {
        auto px = [&](std::int64_t x) { return cx + mi.sx * (mi.swapped ? circle_row(r2, x) : x); };
        auto py = [&](std::int64_t x) { return cy + mi.sy * (mi.swapped ? x : circle_row(r2, x)); };
        // Each screen coordinate is monotone in x; cut [0, x_end] to where both are inside.
        std::int64_t lo = 0, hi = x_end;
        auto cut = [&](auto coord, std::int64_t limit) {
            if (lo > hi) return;
            const bool rising = coord(hi) >= coord(lo);
            if (rising) {
                lo = first_true(lo, hi, [&](std::int64_t x) { return coord(x) >= 0; });
                hi = first_true(lo, hi, [&](std::int64_t x) { return coord(x) > limit; }) - 1;
            } else {
                lo = first_true(lo, hi, [&](std::int64_t x) { return coord(x) <= limit; });
                hi = first_true(lo, hi, [&](std::int64_t x) { return coord(x) < 0; }) - 1;
            }
        };
        cut(px, kPageWidth - 1);
        cut(py, kPageHeight - 1);
        if (lo > hi) continue;
        // Walk the visible run, stepping the row down as 4(r^2 - x^2) falls below (2 row - 1)^2.
        std::int64_t row = circle_row(r2, lo);
        for (std::int64_t x = lo; x <= hi; ++x) {
            while (row > 0 && 4 * (r2 - x * x) < (2 * row - 1) * (2 * row - 1)) --row;
            const std::int64_t a = mi.swapped ? row : x;
            const std::int64_t b = mi.swapped ? x : row;
            plot(page, static_cast<int>(cx + mi.sx * a), static_cast<int>(cy + mi.sy * b), colour);
        }
    }
}

}  // namespace gfx
