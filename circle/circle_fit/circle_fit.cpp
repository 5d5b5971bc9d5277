// circle_fit: the algebraic least-squares circle through 4 to 29 random points.
//
// Each pass scatters a new cloud of points, each marked by a light blue ring. A key press
// fits the circle and draws it, with a ring at its centre, in light red. The next key press
// ends the program when it is Esc and starts a new pass with a new cloud otherwise.
#include <array>
#include <cstdint>
#include <span>

#include "circle_fit_math.hpp"
#include "gfx.hpp"

namespace {

constexpr std::int16_t kDriver = 3;  // 256-colour palette
constexpr std::int16_t kMode = 6;    // 800 x 600
constexpr const char* kCaption = "APROXIMARE CERC PRIN N PUNCTE";
constexpr std::int32_t kMinPoints = 4;
constexpr std::int32_t kPointChoices = 26;  // 4 ... 29 points
constexpr double kRingRadius = 2;

std::array<gfx::Point, 30> points;
std::int32_t n = 0;
gfx::Key key = 0;

}  // namespace

int main() {
    gfx::open_window(kDriver, kMode, kCaption);

    for (;;) {
        // A new seed for every cloud, so passes differ.
        gfx::seed_random();
        gfx::clear_page();
        n = kMinPoints + gfx::random_int(kPointChoices);
        const auto cloud = std::span(points).first(static_cast<std::size_t>(n));
        for (gfx::Point& p : cloud) {
            p.x = gfx::random_int(gfx::max_x());
            p.y = gfx::random_int(gfx::max_y());
            gfx::set_colour(gfx::kLightBlue);
            gfx::circle(p.x, p.y, kRingRadius);
        }

        // Any key shows the circle, Esc included.
        key = gfx::read_key();

        const fit::Circle c = fit::fit_circle(cloud);
        gfx::set_colour(gfx::kLightRed);
        gfx::circle(c.centre.x, c.centre.y, c.radius);
        gfx::circle(c.centre.x, c.centre.y, kRingRadius);

        key = gfx::read_key();
        if (key == gfx::kEsc) break;
    }

    gfx::close_window();
    return 0;
}
