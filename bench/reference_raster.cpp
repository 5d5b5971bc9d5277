#include "reference_raster.hpp"

#include <cstdlib>
#include <utility>

namespace bench {

void reference_line(gfx::Page& page, int x1, int y1, int x2, int y2, std::uint8_t colour) {
    const bool x_major = std::abs(x2 - x1) >= std::abs(y2 - y1);
    if (x_major ? x2 < x1 : y2 < y1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int d = x_major ? x2 - x1 : y2 - y1;
    const int m = x_major ? y2 - y1 : x2 - x1;
    int major = x_major ? x1 : y1;
    int minor = x_major ? y1 : x1;
    // minor offset = floor((2 i m + d - 1) / 2d); err is the remainder of that division.
    int err = d - 1;
    for (int i = 0; i <= d; ++i) {
        if (x_major) {
            gfx::plot(page, major, minor, colour);
        } else {
            gfx::plot(page, minor, major, colour);
        }
        ++major;
        err += 2 * m;
        if (err >= 2 * d) {
            err -= 2 * d;
            ++minor;
        } else if (err < 0) {
            err += 2 * d;
            --minor;
        }
    }
}

void reference_circle(gfx::Page& page, int cx, int cy, int radius, std::uint8_t colour) {
    if (radius < 0) return;
    // e = 4 (r^2 - x^2) - (2y - 1)^2; the row y steps down while e < 0.
    long long x = 0, y = radius;
    long long e = 4LL * radius - 1;
    while (x <= y) {
        const int a = static_cast<int>(x), b = static_cast<int>(y);
        gfx::plot(page, cx + a, cy + b, colour);
        gfx::plot(page, cx - a, cy + b, colour);
        gfx::plot(page, cx + a, cy - b, colour);
        gfx::plot(page, cx - a, cy - b, colour);
        gfx::plot(page, cx + b, cy + a, colour);
        gfx::plot(page, cx - b, cy + a, colour);
        gfx::plot(page, cx + b, cy - a, colour);
        gfx::plot(page, cx - b, cy - a, colour);
        ++x;
        e -= 4 * (2 * x - 1);
        while (e < 0 && y > 0) {
            --y;
            e += 8 * y;
        }
    }
}

}  // namespace bench
