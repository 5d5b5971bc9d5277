// cubic_bezier: a chain of cubic Bezier segments through points placed by the user.
//
// Space bar (or Alt+D)   append a point at the pointer, its handle end 10 pixels to the left
// Left button            drag the nearest point together with its handle
// Right button           drag the nearest handle end alone
// Pointer x              moves the light green marker along the chain, left edge to right edge
// Esc                    end
//
// The chain is drawn as a light blue polyline through 20 samples per segment, each marked by
// a red cross; every point carries its number, which slowly circles around it.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "chain.hpp"
#include "gfx.hpp"
#include "page_flip.hpp"

namespace {

constexpr char kCaption[] = "CURBELE BEZIER CUBICE";
constexpr char kEmptyMessage[] = "APASA TASTA SPATIU CA SA ADAUGI PUNCTE";
constexpr int kDriver = 3;
constexpr int kMode = 6;
constexpr int kArial = 3;
constexpr int kTextSize = 2;  // 16 pixels high
constexpr double kHandleOffset = 10.0;
constexpr double kFarAway = 1e32;
constexpr double kAngleStep = 0.0005;
constexpr double kLabelTurn = 3.14;   // per point index: neighbours start on opposite sides
constexpr double kLabelSpeed = 10.0;  // times the label angle
constexpr double kLabelRadius = 10.0;
constexpr double kLabelDrop = 9.0;
constexpr double kPointRadius = 4.0;
constexpr double kMarkerRadius = 2.0;
constexpr double kMarkerLabelDrop = 10.0;
constexpr std::int32_t kSteps = 20;

chain::Chain table;  // the user's points and handle ends
std::int16_t page = 0;
std::int32_t mouse_x = 0;
std::int32_t mouse_y = 0;
std::int32_t buttons = 0;
double label_angle = 0.0;

// Seven spaces, the numbers of the segment's two points as their labels show them, and t.
std::string marker_label(const chain::ChainPosition& at) {
    char t_text[16];
    std::snprintf(t_text, sizeof t_text, "%3.3f", at.t);
    return "       " + std::to_string(at.k + 1) + " - " + std::to_string(at.k + 2) +
           ":  t=" + t_text;
}

// Sample s of segment k, 0 ... kSteps - 1 from its start to its end.
gfx::Point sample(std::int32_t k, std::int32_t s) {
    const chain::Segment seg = chain::segment_control_points(table, k);
    const double t = static_cast<double>(s) / static_cast<double>(kSteps - 1);
    return chain::cubic_point(seg.a, seg.b, seg.c, seg.d, t);
}

}  // namespace

int main() {
    gfx::open_window(kDriver, kMode, kCaption);
    page = 0;
    table.count = 0;
    gfx::set_text_style(kArial, 0, kTextSize);
    label_angle = 0.0;

    for (;;) {
        gfx::flip_pages(page);
        gfx::clear_page();

        mouse_x = gfx::mouse_x();
        mouse_y = gfx::mouse_y();
        buttons = gfx::button_mask();
        const double mx = mouse_x;
        const double my = mouse_y;
        gfx::set_text_justify(1, 1);

        // One key per frame; a special key counts as its code.
        gfx::Key key = 0;
        if (gfx::key_pressed()) {
            key = gfx::read_key();
            if (key == 0) key = gfx::read_key();
        }

        if (key == gfx::kSpace && table.count < chain::kSlots) {
            table.points[static_cast<std::size_t>(table.count)] = {mx, my, mx - kHandleOffset, my};
            ++table.count;
        }

        // Nearest point and nearest handle end; ties go to the lower index.
        std::int32_t nearest = -1;
        std::int32_t nearest_handle = -1;
        double min_distance = kFarAway;
        for (std::int32_t i = 0; i < table.count; ++i) {
            const chain::ChainPoint& p = table.points[static_cast<std::size_t>(i)];
            const double d = std::sqrt((mx - p.x) * (mx - p.x) + (my - p.y) * (my - p.y));
            if (d < min_distance) {
                min_distance = d;
                nearest = i;
            }
        }
        min_distance = kFarAway;
        for (std::int32_t i = 0; i < table.count; ++i) {
            const chain::ChainPoint& p = table.points[static_cast<std::size_t>(i)];
            const double d = std::sqrt((mx - p.hx) * (mx - p.hx) + (my - p.hy) * (my - p.hy));
            if (d < min_distance) {
                min_distance = d;
                nearest_handle = i;
            }
        }

        // A button held alone drags; with both, or with Shift or Ctrl, nothing moves.
        if (buttons == gfx::kLeftButton && nearest >= 0) {
            chain::ChainPoint& p = table.points[static_cast<std::size_t>(nearest)];
            const double dx = p.hx - p.x;
            const double dy = p.hy - p.y;
            p = {mx, my, mx + dx, my + dy};
        } else if (buttons == gfx::kRightButton && nearest_handle >= 0) {
            chain::ChainPoint& p = table.points[static_cast<std::size_t>(nearest_handle)];
            p.hx = mx;
            p.hy = my;
        }

        gfx::set_colour(gfx::kWhite);
        label_angle += kAngleStep;
        for (std::int32_t i = 0; i < table.count; ++i) {
            const chain::ChainPoint& p = table.points[static_cast<std::size_t>(i)];
            gfx::circle(p.x, p.y, kPointRadius);
            gfx::line(p.x, p.y, p.hx, p.hy);
            const double phi = kLabelTurn * i + kLabelSpeed * label_angle;
            gfx::write_text(p.x + kLabelRadius * std::cos(phi),
                            p.y + kLabelDrop + kLabelRadius * std::sin(phi), std::to_string(i + 1));
        }

        for (std::int32_t k = 0; k <= table.count - 2; ++k) {
            if (k == 0) {
                const gfx::Point start = sample(0, 0);
                gfx::move_to(start.x, start.y);
            }
            for (std::int32_t s = 0; s < kSteps; ++s) {
                const gfx::Point c = sample(k, s);
                gfx::set_colour(gfx::kLightBlue);
                gfx::line_to(c.x, c.y);
            }
        }

        // The crosses reach 3 pixels before a whole-valued sample and 4 after it.
        for (std::int32_t k = 0; k <= table.count - 2; ++k) {
            for (std::int32_t s = 0; s < kSteps; ++s) {
                const gfx::Point c = sample(k, s);
                gfx::set_colour(gfx::kRed);
                gfx::line(chain::round_down(c.x - 2.5), c.y, chain::round_up(c.x + 3.5), c.y);
                gfx::line(c.x, chain::round_down(c.y - 2.5), c.x, chain::round_up(c.y + 3.5));
            }
        }

        if (table.count >= 2) {
            gfx::set_colour(gfx::kLightGreen);
            const double fraction = mx / static_cast<double>(gfx::max_x());
            const chain::ChainPosition at = chain::chain_position(table.count, fraction);
            const chain::Segment seg = chain::segment_control_points(table, at.k);
            const gfx::Point c = chain::cubic_point(seg.a, seg.b, seg.c, seg.d, at.t);
            gfx::set_text_justify(0, 1);
            gfx::write_text(c.x, c.y + kMarkerLabelDrop, marker_label(at));
            gfx::circle(c.x, c.y, kMarkerRadius);
        }

        if (table.count == 0) {
            gfx::set_colour(gfx::kWhite);
            gfx::write_text(gfx::max_x() / 2, gfx::max_y() / 2, kEmptyMessage);
        }

        if (key == gfx::kEsc) break;
    }

    gfx::close_window();
    return 0;
}
