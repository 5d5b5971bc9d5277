#include "screen_coord.hpp"

#include <cmath>
#include <cstdint>

namespace gfx {

std::optional<ScreenCoord> to_screen(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    // Round half to even without going through an integer type: above 2^52 every double is
    // already whole, and fmod is exact, so this is defined for every finite value.
    double r = std::nearbyint(v);
    if (std::fabs(v - std::trunc(v)) == 0.5) {
        // nearbyint follows the rounding mode; make the tie rule independent of it.
        const double down = std::floor(v);
        r = std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
    }
    double m = std::fmod(r, 65536.0);  // exact, in (-65536, 65536)
    if (m < 0) m += 65536.0;           // [0, 65536)
    const auto low = static_cast<std::uint16_t>(static_cast<std::int32_t>(m));
    return static_cast<ScreenCoord>(low);
}

}  // namespace gfx
