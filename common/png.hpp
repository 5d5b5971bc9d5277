// Pictures of a page, as an 8-bit RGB PNG.
#pragma once

#include <string>

#include "page.hpp"
#include "palette.hpp"

namespace gfx {

// False (and one line on stderr) when the file cannot be written.
bool write_png(const std::string& path, const Page& page, const Palette& palette);

}  // namespace gfx
