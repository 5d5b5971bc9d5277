// The plainest correct loops for the primitives, to measure the layer's rasterisers against:
// they walk every pixel of the primitive and test each one against the page, with no clipping
// ahead of the walk. They draw exactly the pixels the layer draws (checked at start-up).
#pragma once

#include <cstdint>

#include "page.hpp"

namespace bench {

// Bresenham from the end with the smaller major coordinate; ties of the minor coordinate go
// towards the smaller value.
void reference_line(gfx::Page& page, int x1, int y1, int x2, int y2, std::uint8_t colour);
// Midpoint circle: in the first octant the row nearest to sqrt(r^2 - x^2), mirrored eight ways.
void reference_circle(gfx::Page& page, int cx, int cy, int radius, std::uint8_t colour);

}  // namespace bench
