#include "screen_coord.hpp"

#include <cmath>
#include <cstdint>

namespace gfx {

int to_screen_int(double v) {
    constexpr double kLimit = 2147483647.0;
    if (v > -kLimit && v < kLimit) {
        // The values programs pass: truncate, then round half to even by the exact fraction,
        // without branches (the fractions of a path's samples are as good as random).
        auto i = static_cast<std::int32_t>(v);
        const double frac = v - static_cast<double>(i);  // exact
        const bool odd = (i & 1) != 0;
        i += static_cast<int>((frac > 0.5) | ((frac == 0.5) & odd));
        i -= static_cast<int>((frac < -0.5) | ((frac == -0.5) & odd));
        return static_cast<ScreenCoord>(static_cast<std::uint16_t>(i));
    }
    if (!std::isfinite(v)) return kNoScreen;
    // Beyond 32 bits, without going through an integer type: above 2^52 every double is
    // already whole, and fmod is exact, so this is defined for every finite value.
    double r = std::trunc(v);
    const double frac = v - r;
    if (std::fabs(frac) > 0.5 || (std::fabs(frac) == 0.5 && std::fmod(r, 2.0) != 0.0)) {
        r += frac > 0 ? 1.0 : -1.0;
    }
    double m = std::fmod(r, 65536.0);  // exact, in (-65536, 65536)
    if (m < 0) m += 65536.0;           // [0, 65536)
    return static_cast<ScreenCoord>(static_cast<std::uint16_t>(static_cast<std::int32_t>(m)));
}

std::optional<ScreenCoord> to_screen(double v) {
    const int c = to_screen_int(v);
    if (c == kNoScreen) return std::nullopt;
    return static_cast<ScreenCoord>(c);
}

}  // namespace gfx
