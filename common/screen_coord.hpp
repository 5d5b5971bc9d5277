// Double -> Screen coordinate conversion.
#pragma once

#include <optional>

#include "types.hpp"

namespace gfx {

// Rounds half to even and keeps the low 16 bits as two's complement (32768 -> -32768,
// 65539 -> 3). Defined for every finite double; NaN and infinities give no coordinate.
std::optional<ScreenCoord> to_screen(double v);

}  // namespace gfx
