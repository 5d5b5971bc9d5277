// The graphics layer every program draws through: one window of 800 x 600 pixels in a
// 256-colour palette mode, four pages, lines, circles, pixels, text, a key queue and the mouse.
//
// Coordinates are doubles; each operation turns them into Screen coordinates (round half to
// even, low 16 bits kept). An operation given a NaN or infinite coordinate draws nothing.
#pragma once

#include <cstdint>
#include <string_view>

#include "types.hpp"

namespace gfx {

// Driver 3 is the 256-colour palette mode, mode 6 the 800 x 600 client area. Returns 0 when
// the window (or the headless page) is ready, a negative value otherwise.
int open_window(int driver, int mode, std::string_view caption);
// Asks the window thread to end and waits for it.
void close_window();

int max_x();  // 799
int max_y();  // 599

void set_active_page(int page);  // 0 ... 3; drawing goes here
void set_visual_page(int page);  // 0 ... 3; the window shows this page

// Fills the active page with the background colour (black); the current position becomes (0, 0).
void clear_page();

// The drawing colour: shown as the nearest entry of the default palette.
void set_colour(Colour c);

void circle(double x, double y, double radius);  // outline; radius 0 is one pixel
void line(double x1, double y1, double x2, double y2);
void move_to(double x, double y);
void line_to(double x, double y);  // from the current position, which moves to (x, y)
void put_pixel(double x, double y, Colour c);

// Font 0 Courier New, 1 MS Sans Serif, 2 Times New Roman, 3 Arial; direction in degrees;
// a size below 6 means size x 8 pixels high, otherwise the height in pixels.
void set_text_style(int font, int direction, int size);
// Horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 bottom, 2 baseline.
void set_text_justify(int horizontal, int vertical);
void write_text(double x, double y, std::string_view text);

bool key_pressed();  // a byte is waiting in the key queue
Key read_key();      // waits for the next byte

// The latest mouse state; each read is a 16-bit value.
std::uint16_t mouse_x();
std::uint16_t mouse_y();
std::uint16_t button_mask();

// Seeds the generator from the millisecond clock; random_int(k) is uniform in [0, k)
// (0 when k <= 0).
void seed_random();
std::int32_t random_int(std::int32_t k);

}  // namespace gfx
