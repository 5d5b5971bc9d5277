// bezier_curve: the Bezier curve of degree n - 1 over n random control points (4 to 14),
// evaluated in Bernstein form at 200 parameter values and redrawn in every frame.
//
// Mouse: hold the left button (alone, without Shift or Ctrl) and the control point nearest to
// the pointer jumps to it and follows it. Points within 10 pixels of the pointer are shown in
// light blue, the others in red, each with its index as a label.
// Keys: any key ends the program.
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "bernstein.hpp"
#include "gfx.hpp"
#include "page_flip.hpp"

namespace {

constexpr int kDriver = 3;  // 256-colour palette mode
constexpr int kMode = 6;    // 800 x 600
constexpr std::string_view kCaption = "CURBA BEZIER";

constexpr std::int32_t kMinPoints = 4;
constexpr std::int32_t kPointChoices = 11;  // n = 4 + a random integer below 11: 4 ... 14
constexpr std::int32_t kSteps = 200;        // parameter values along the curve
constexpr double kRadius = 10.0;            // of the circle around each control point
constexpr double kHighlightDistance = 10.0;
constexpr double kLabelDrop = 8.0;  // the label's bottom edge below the point
constexpr double kFarAway = 1e32;   // farther than any point can be from the pointer
constexpr int kLabelFont = 3;       // Arial
constexpr int kLabelSize = 2;       // 16 pixels high
constexpr int kCentre = 1;
constexpr int kBottom = 1;
constexpr std::uint16_t kDragMask = gfx::kLeftButton;  // the left button and nothing else

std::array<gfx::Point, bezier::kMaxPoints> points{};
std::int32_t n = 0;
bezier::BasisTable basis{};
std::int32_t steps = 0;
std::int16_t page = 0;

// The mouse sample of the frame.
std::int32_t mouse_x = 0;
std::int32_t mouse_y = 0;
std::int32_t mask = 0;

}  // namespace

int main() {
    gfx::open_window(kDriver, kMode, kCaption);
    page = 0;
    gfx::seed_random();
    n = kMinPoints + gfx::random_int(kPointChoices);
    for (std::int32_t i = 0; i < n; ++i) {
        auto& p = points[static_cast<std::size_t>(i)];
        p.x = gfx::random_int(gfx::max_x());
        p.y = gfx::random_int(gfx::max_y());
    }

    for (;;) {
        // Draw on the hidden page; it is shown when the next frame begins.
        gfx::flip_pages(page);
        gfx::clear_page();

        // Unsigned 16-bit values: past the left or top edge during a drag -3 reads as 65533.
        mouse_x = gfx::mouse_x();
        mouse_y = gfx::mouse_y();
        mask = gfx::button_mask();

        double min_distance = kFarAway;
        std::int32_t nearest = -1;
        for (std::int32_t i = 0; i < n; ++i) {
            const gfx::Point& p = points[static_cast<std::size_t>(i)];
            const double dx = mouse_x - p.x;
            const double dy = mouse_y - p.y;
            const double d = std::sqrt(dx * dx + dy * dy);
            gfx::set_colour(d < kHighlightDistance ? gfx::kLightBlue : gfx::kRed);
            gfx::circle(p.x, p.y, kRadius);
            gfx::set_text_style(kLabelFont, 0, kLabelSize);
            gfx::set_text_justify(kCentre, kBottom);
            gfx::set_colour(gfx::kWhite);
            gfx::write_text(p.x, p.y + kLabelDrop, std::to_string(i));
            if (d < min_distance) {
                min_distance = d;
                nearest = i;
            }
        }

        if (mask == kDragMask && nearest >= 0) {
            auto& p = points[static_cast<std::size_t>(nearest)];
            p.x = mouse_x;
            p.y = mouse_y;
        }

        steps = kSteps;
        const std::span<const gfx::Point> used(points.data(), static_cast<std::size_t>(n));
        gfx::set_colour(gfx::kWhite);
        gfx::move_to(points[0].x, points[0].y);
        for (std::int32_t s = 0; s < steps; ++s) {
            const double t = s * 1.0 / (steps - 1);
            if (const auto c = bezier::bezier_point(used, basis, t)) gfx::line_to(c->x, c->y);
        }

        if (gfx::key_pressed()) break;
    }

    gfx::close_window();
    return 0;
}
