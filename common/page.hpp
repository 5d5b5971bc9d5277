// A page of palette indices and the primitives that draw on it, clipped to the page.
#pragma once

#include <array>
#include <cstdint>

namespace gfx {

constexpr int kPageWidth = 800;
constexpr int kPageHeight = 600;
constexpr int kPageCount = 4;

using Page = std::array<std::uint8_t, kPageWidth * kPageHeight>;

inline void plot(Page& page, int x, int y, std::uint8_t colour) {
    if (x >= 0 && x < kPageWidth && y >= 0 && y < kPageHeight) {
        page[static_cast<std::size_t>(y) * kPageWidth + static_cast<std::size_t>(x)] = colour;
    }
}

// Both take 16-bit screen coordinates (as int) and touch only the pixels inside the page that
// the unclipped primitive would draw, at a cost that follows those pixels.
void draw_line(Page& page, int x1, int y1, int x2, int y2, std::uint8_t colour);
// Radius 0 is one pixel, a negative radius draws nothing.
void draw_circle(Page& page, int cx, int cy, int radius, std::uint8_t colour);

}  // namespace gfx
