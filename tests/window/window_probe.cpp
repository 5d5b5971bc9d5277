// A program for the window's end-to-end test: it shows known shapes in known colours, prints
// what it reads from the window on standard output, one line each, and ends on 'q'.
//
//   ready          the shapes are on screen
//   mouse X Y M    the mouse state changed (x, y, button mask)
//   key B          a key byte was read
//
// It starts in a polling loop (mouse and key tests without pause, as an editor does); the key
// 'b' switches it to blocking key reads, as a program waiting for its next pass does.
#include <cstdio>

#include "gfx.hpp"

namespace {

// Exact entries of the default palette, so the screenshot shows these very values.
constexpr gfx::Colour kPaletteLightRed{252, 84, 84};  // entry 12
constexpr gfx::Colour kPaletteYellow{252, 252, 84};   // entry 14
constexpr gfx::Colour kPaletteGreen{0, 168, 0};       // entry 2
constexpr gfx::Colour kPaletteBlue{0, 0, 168};        // entry 1
constexpr gfx::Colour kPaletteCyan{84, 252, 252};     // entry 11

constexpr gfx::Key kQuit = 'q';
constexpr gfx::Key kBlocking = 'b';

void draw_shapes() {
    gfx::set_colour(kPaletteLightRed);  // a filled block: x 100 ... 299, y 100 ... 199
    for (int y = 100; y <= 199; ++y) gfx::line(100, y, 299, y);
    gfx::set_colour(kPaletteYellow);
    gfx::circle(600, 150, 40);
    gfx::set_colour(kPaletteGreen);
    gfx::move_to(400, 300);
    gfx::line_to(400, 599);
    gfx::set_colour(gfx::kWhite);  // not an entry: shown as the nearest one
    gfx::line(100, 500, 299, 500);
    gfx::put_pixel(0, 0, kPaletteBlue);
    gfx::put_pixel(799, 599, kPaletteBlue);
}

// A decoy on a page that is never shown.
void draw_hidden_page() {
    gfx::set_colour(kPaletteCyan);
    for (int y = 0; y <= 599; y += 2) gfx::line(0, y, 799, y);
}

void print_key(gfx::Key k) {
    std::printf("key %d\n", k);
    std::fflush(stdout);
}

}  // namespace

int main() {
    gfx::open_window(3, 6, "PROBA");
    gfx::set_active_page(1);
    draw_shapes();
    gfx::set_active_page(2);
    draw_hidden_page();
    gfx::set_active_page(1);
    gfx::set_visual_page(1);
    // A flip returns when the window has taken the page; the second returns after the first
    // one's present, so the page is on screen when "ready" comes.
    gfx::set_visual_page(1);
    std::printf("ready\n");
    std::fflush(stdout);

    gfx::MouseState last{};
    bool blocking = false;
    for (;;) {
        if (blocking) {
            const gfx::Key k = gfx::read_key();
            print_key(k);
            if (k == kQuit) break;
            continue;
        }
        const gfx::MouseState m{gfx::mouse_x(), gfx::mouse_y(), gfx::button_mask()};
        if (m.x != last.x || m.y != last.y || m.mask != last.mask) {
            std::printf("mouse %d %d %d\n", m.x, m.y, m.mask);
            std::fflush(stdout);
            last = m;
        }
        if (gfx::key_pressed()) {
            const gfx::Key k = gfx::read_key();
            print_key(k);
            if (k == kQuit) break;
            if (k == kBlocking) blocking = true;
        }
    }
    gfx::close_window();
    return 0;
}
