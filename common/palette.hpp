// The default 256-entry palette and the nearest-entry lookup of RGB colours.
#pragma once

#include <array>
#include <cstdint>

#include "types.hpp"

namespace gfx {

using Palette = std::array<Colour, 256>;

// Entries 0-15 the classic sixteen colours, 16-31 a grey ramp, 32-247 colour ramps
// (24 hues x 3 saturations x 3 intensities), 248-255 black.
const Palette& default_palette();

// The entry nearest to c in RGB distance; ties go to the lower index.
std::uint8_t nearest_entry(Colour c);

}  // namespace gfx
