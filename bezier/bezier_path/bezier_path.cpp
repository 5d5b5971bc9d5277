// bezier_path: an editor for a closed smooth path, the chain of quadratic Bézier segments (one
// per control point) that forms the closed uniform quadratic B-spline of the control polygon.
//
// Left button: a press on empty space adds a point on the nearest edge of the polygon; a press
// within 16 pixels of a point grabs it and the drag moves it; dropping it within 16 pixels of
// another point deletes it. Right button: switches between the construction view (polygon,
// points, curve) and the road view (a grey road with a dashed centre line). Esc ends.
// The picture is redrawn only while a button is held.
#include <cstdint>
#include <string_view>

#include "closed_path.hpp"
#include "gfx.hpp"
#include "page_flip.hpp"
#include "path_views.hpp"

namespace {

constexpr int kDriver = 3;  // 256-colour palette mode
constexpr int kMode = 6;    // 800 x 600
constexpr std::string_view kCaption = "DRUM BEZIER";
constexpr std::int32_t kConstructionView = 0;
constexpr std::int32_t kRoadView = 1;

bezier_path::PathTable table;
std::int32_t selected = -1;  // the point being dragged, -1 when none
std::int32_t mouse_x = 0;
std::int32_t mouse_y = 0;
std::int32_t buttons = 0;
std::int32_t previous_buttons = 0;
std::int32_t view = kConstructionView;
std::int32_t dash_count = 0;  // runs on over all frames, so the dashes move along the road
std::int16_t page = 0;
gfx::Key last_key = 0;

}  // namespace

int main() {
    gfx::open_window(kDriver, kMode, kCaption);

    for (;;) {
        mouse_x = gfx::mouse_x();
        mouse_y = gfx::mouse_y();
        buttons = gfx::button_mask();
        const gfx::Point mouse{static_cast<double>(mouse_x), static_cast<double>(mouse_y)};
        const bool left = (buttons & gfx::kLeftButton) != 0;
        const bool was_left = (previous_buttons & gfx::kLeftButton) != 0;

        bool removed = false;
        if (left && !was_left) {
            selected = bezier_path::grab_index(table, mouse);
            if (selected < 0) bezier_path::insert_point(table, mouse);
        } else if (left && selected >= 0) {
            table.points[static_cast<std::size_t>(selected)] = mouse;
        } else if (!left && was_left && selected >= 0) {
            if (bezier_path::drop_hits_other(table, selected, mouse)) {
                bezier_path::remove_point(table, selected);
                removed = true;
            }
            selected = -1;
        }

        if (buttons == gfx::kRightButton && previous_buttons != gfx::kRightButton) {
            view = kRoadView - view;
        }
        previous_buttons = buttons;

        // A deletion happens on the release, when no button is down any more: drawn then too,
        // or the deleted point would stay on screen until the next press.
        if (buttons != 0 || removed) {
            gfx::clear_page();
            if (view == kConstructionView) {
                bezier_path::draw_construction(table);
            } else {
                bezier_path::draw_road(table, dash_count);
            }
            gfx::flip_pages(page);
        }

        last_key = 0;
        if (gfx::key_pressed()) {
            last_key = gfx::read_key();
            if (last_key == 0) last_key = gfx::read_key();  // a special key: its scan code
        }
        if (last_key == gfx::kEsc) break;
    }

    gfx::close_window();
    return 0;
}
