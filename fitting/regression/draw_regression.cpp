#include "draw_regression.hpp"

#include <optional>

#include "gfx.hpp"
#include "models.hpp"

namespace regression {

void draw_regression(std::int32_t model, std::int32_t n) {
    constexpr double kPairRadius = 2.0;
    Sums sums;
    // Counted up from 0 so that the largest count cannot overflow the counter.
    for (std::int32_t i = 0; i < n; ++i) {
        const auto x = static_cast<double>(gfx::random_int(gfx::max_x()));
        const auto y = static_cast<double>(gfx::random_int(gfx::max_y()));
        gfx::set_colour(gfx::kYellow);
        gfx::circle(x, y, kPairRadius);
        add_pair(sums, model, x, y);
    }
    gfx::set_colour(gfx::kLightRed);
    if (!known_model(model)) return;
    const std::optional<Coefficients> c = fit(model, sums, n);
    if (!c) return;

    // One vertex per column from 1 to the last; column 0 is never computed (1/x there).
    std::optional<double> previous;
    for (std::int32_t j = 1; j <= gfx::max_x(); ++j) {
        const std::optional<double> value = curve_value(model, *c, j);
        // A column whose value cannot be drawn leaves out the two segments that meet it.
        if (previous && value) gfx::line(j - 1, *previous, j, *value);
        previous = value;
    }
}

}  // namespace regression
