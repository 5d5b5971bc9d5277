// The console dialogue of the regression program: the menu of models, the prompt for the
// number of pairs, and the two whole numbers typed in reply.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string_view>

namespace regression {

// Once a reply is not a whole number the console is in its error state: every later read and
// write is skipped, as a text stream stays failed.
struct Console {
    std::istream* in = nullptr;
    std::ostream* out = nullptr;
    bool failed = false;
};

// Writes the text as it is, or nothing in the error state.
void write_text(Console& console, std::string_view text);

// Skips blanks and control characters, takes the run of characters up to the next one and
// discards the rest of that line. A whole decimal number with an optional sign, within 32
// bits, is the value; anything else gives 0 and the error state; the end of input gives 0.
std::int32_t read_integer(Console& console);

struct Answers {
    std::int32_t model = 0;
    std::int32_t count = 0;
};

// The six-line menu, the model read, the prompt, the count read.
Answers ask_model_and_count(Console& console);

}  // namespace regression
