// One sample of the regression program: random pairs, their fit and its curve.
#pragma once

#include <cstdint>

namespace regression {

// Draws n random pairs as yellow circles, fits the model to them and draws its curve in light
// red over the columns 1 to 799. A model outside 1 ... 5, or a fit without a unique solution,
// shows the pairs alone.
void draw_regression(std::int32_t model, std::int32_t n);

}  // namespace regression
