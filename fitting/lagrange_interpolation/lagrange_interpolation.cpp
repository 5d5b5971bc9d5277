// Lagrange interpolation: ten random points, each marked by a small white circle, and the
// interpolation polynomial through them drawn in light red from the leftmost to the rightmost
// point as a polyline of about a hundred segments.
//
// Keys: Esc ends the program; any other key draws a new random set of points.
#include <cstdint>

#include "gfx.hpp"
#include "lagrange.hpp"

namespace {

constexpr int kDriver = 3;
constexpr int kMode = 6;
constexpr char kCaption[] = "INTERPOLARE POLINOMIALA LAGRANGE";
constexpr double kNodeRadius = 2.0;

lagrange::Nodes nodes;
std::int32_t xmin = 0;
std::int32_t xmax = 0;
gfx::Key last_key = 0;

}  // namespace

int main() {
    gfx::open_window(kDriver, kMode, kCaption);

    do {
        // Seeded anew for every set, so each key shows a different one.
        gfx::seed_random();
        gfx::clear_page();
        gfx::set_colour(gfx::kWhite);
        std::int32_t running_max = 0;
        std::int32_t running_min = gfx::max_x();
        for (int i = 0; i < lagrange::kNodeCount; ++i) {
            nodes.x[i] = gfx::random_int(gfx::max_x());
            nodes.y[i] = gfx::random_int(gfx::max_y());
            gfx::circle(nodes.x[i], nodes.y[i], kNodeRadius);
            if (nodes.x[i] > running_max) running_max = nodes.x[i];
            if (nodes.x[i] < running_min) running_min = nodes.x[i];
        }
        xmin = running_min;
        xmax = running_max;

        gfx::set_colour(gfx::kLightRed);
        const lagrange::Samples curve = lagrange::sample_curve(nodes, xmin, xmax);
        for (int k = 1; k < curve.count; ++k) {
            const lagrange::Sample& p = curve.at[static_cast<std::size_t>(k - 1)];
            const lagrange::Sample& q = curve.at[static_cast<std::size_t>(k)];
            // A value too large to represent leaves out the two segments that meet it.
            if (p.y && q.y) gfx::line(p.x, *p.y, q.x, *q.y);
        }

        last_key = gfx::read_key();
    } while (last_key != gfx::kEsc);

    gfx::close_window();
    return 0;
}
