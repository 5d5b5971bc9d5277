// Lines, circles and pixels on arbitrary doubles, through the program-facing operations:
// nothing may be written outside the page, no value converted to an integer out of range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gfx.hpp"
#include "screen_coord.hpp"

namespace {

double take(const std::uint8_t*& p, std::size_t& left) {
    double v = 0;
    if (left >= sizeof v) {
        std::memcpy(&v, p, sizeof v);
        p += sizeof v;
        left -= sizeof v;
    } else {
        left = 0;
    }
    return v;
}

bool started = [] {
    setenv("GFX_BACKEND", "headless", 1);
    unsetenv("GFX_SCRIPT");
    unsetenv("GFX_TRACE");
    gfx::open_window(3, 6, "FUZZ");
    return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t* p = data;
    std::size_t left = size;
    while (left > 0) {
        const std::uint8_t op = *p++;
        --left;
        const double a = take(p, left), b = take(p, left), c = take(p, left), d = take(p, left);
        if (const auto s = gfx::to_screen(a); s && (*s < -32768 || *s > 32767)) std::abort();
        switch (op % 6) {
            case 0:
                gfx::line(a, b, c, d);
                break;
            case 1:
                gfx::circle(a, b, c);
                break;
            case 2:
                gfx::put_pixel(a, b, {static_cast<std::uint8_t>(op), 1, 2});
                break;
            case 3:
                gfx::move_to(a, b);
                gfx::line_to(c, d);
                break;
            case 4:
                gfx::set_active_page(static_cast<int>(op % 5));
                gfx::clear_page();
                break;
            default:
                gfx::line_to(a, b);
                break;
        }
    }
    return 0;
}
