// Read-only access to the pages, for tests and benchmarks of the layer itself.
#pragma once

#include "page.hpp"

namespace gfx {

const Page& page_view(int page);  // page 0 ... 3
int active_page_number();
int visual_page_number();

}  // namespace gfx
