// circle_three_points: the circle through three points and the in-circle test.
//
// Three white rings mark the points and a white circle runs through them. Every fourth pixel
// of the window, in both directions, is yellow where the in-circle determinant of the three
// points is negative: the inside of the circle while the points turn one way, the outside
// once they turn the other way. A ring around the pointer shows the sign at the pointer: red
// where the determinant is positive, light green otherwise.
//
// Left button (alone): the point nearest to the pointer jumps to it. Any key ends.
#include <cmath>
#include <cstdint>

#include "gfx.hpp"
#include "page_flip.hpp"
#include "three_points.hpp"

namespace {

constexpr std::int16_t kDriver = 3;  // 256-colour palette
constexpr std::int16_t kMode = 6;    // 800 x 600
constexpr const char* kCaption = "CERC PRIN 3 PUNCTE";
constexpr double kPointRadius = 3;
constexpr double kPointerRadius = 10;
constexpr int kGridStep = 4;

circle3::Triangle points;
gfx::Point centre{0, 0};  // kept while the points are collinear
double radius = 0;
std::int16_t page = 0;
std::int32_t mouse_x = 0;
std::int32_t mouse_y = 0;
std::int32_t buttons = 0;

}  // namespace

int main() {
    gfx::open_window(kDriver, kMode, kCaption);
    page = 0;
    const int width = gfx::max_x();
    const int height = gfx::max_y();
    const double half_w = width / 2.0;
    const double half_h = height / 2.0;
    points = {{{half_w, half_h}, {half_w + 100, half_h}, {half_w + 50, half_h - 100}}};

    for (;;) {
        mouse_x = gfx::mouse_x();
        mouse_y = gfx::mouse_y();
        buttons = gfx::button_mask();

        // Draw on the hidden page; show the one the previous frame drew.
        gfx::flip_pages(page);
        gfx::clear_page();

        if (buttons == gfx::kLeftButton) {
            points[circle3::nearest_point(points, mouse_x, mouse_y)] = {
                static_cast<double>(mouse_x), static_cast<double>(mouse_y)};
        }

        gfx::set_colour(gfx::kWhite);
        for (const gfx::Point& p : points) gfx::circle(p.x, p.y, kPointRadius);

        // The last column may be the largest x; the last row stays above the largest y.
        for (int qy = 0; qy < height; qy += kGridStep) {
            for (int qx = 0; qx <= width; qx += kGridStep) {
                if (circle3::in_circle_det(
                        points, {static_cast<double>(qx), static_cast<double>(qy)}) < 0) {
                    gfx::put_pixel(qx, qy, gfx::kYellow);
                }
            }
        }

        const gfx::Point pointer{static_cast<double>(mouse_x), static_cast<double>(mouse_y)};
        gfx::set_colour(circle3::in_circle_det(points, pointer) > 0 ? gfx::kRed : gfx::kLightGreen);
        gfx::circle(pointer.x, pointer.y, kPointerRadius);

        centre = circle3::circle_centre(points, centre);
        radius = std::sqrt((centre.x - points[0].x) * (centre.x - points[0].x) +
                           (centre.y - points[0].y) * (centre.y - points[0].y));
        gfx::set_colour(gfx::kWhite);
        gfx::circle(centre.x, centre.y, radius);

        if (gfx::key_pressed()) break;
    }

    gfx::close_window();
    return 0;
}
