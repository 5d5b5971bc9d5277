// Double -> Screen coordinate conversion.
#pragma once

#include <optional>

#include "types.hpp"

namespace gfx {

// Rounds half to even and keeps the low 16 bits as two's complement (32768 -> -32768,
// 65539 -> 3). Defined for every finite double; NaN and infinities give no coordinate.
std::optional<ScreenCoord> to_screen(double v);

// The same as a plain int, kNoScreen for NaN and infinities: the drawing operations' hot path,
// where the optional would cost more than a small circle.
constexpr int kNoScreen = -65536;
int to_screen_int(double v);

}  // namespace gfx
