// The page flip of the frame loops: draw on the page the page variable names, then show the
// other one. What is drawn becomes visible at the next flip.
#pragma once

#include <cstdint>

#include "gfx.hpp"

namespace gfx {

inline void flip_pages(std::int16_t& page) {
    set_active_page(page);
    page = static_cast<std::int16_t>(1 - page);
    set_visual_page(page);
}

}  // namespace gfx
