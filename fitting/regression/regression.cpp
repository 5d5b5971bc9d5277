// Regressions: the user picks one of five least-squares models and a number of pairs on the
// console; the window then shows that many random pairs as yellow circles and the fitted
// curve in light red over them, in window pixels.
//
// Console: the model (1 linear, 2 hyperbolic, 3 power, 4 exponential, 5 parabolic; any other
// number shows the pairs alone), then the number of pairs.
// Keys (in the window): Esc ends the program; any other key draws a new sample.
#include <cstdint>
#include <iostream>

#include "console.hpp"
#include "draw_regression.hpp"
#include "gfx.hpp"

namespace {

constexpr int kDriver = 3;
constexpr int kMode = 6;
constexpr char kCaption[] = "REGRESII MATEMATICE";

std::int32_t model_choice = 0;
std::int32_t pair_count = 0;
gfx::Key last_key = 0;

}  // namespace

int main() {
    regression::Console console{&std::cin, &std::cout};
    const regression::Answers answers = regression::ask_model_and_count(console);
    model_choice = answers.model;
    pair_count = answers.count;

    gfx::open_window(kDriver, kMode, kCaption);
    // Once for the whole run, so that quick keys still give different samples.
    gfx::seed_random();
    do {
        gfx::clear_page();
        regression::draw_regression(model_choice, pair_count);
        last_key = gfx::read_key();
    } while (last_key != gfx::kEsc);

    gfx::close_window();
    return 0;
}
