#include "console.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace regression {
namespace {

constexpr std::array<std::string_view, 6> kMenu = {
    "TIPURI DE REGRESIE MATEMATICA:",        "1 - REGRESIE LINIARA : y=b0+b1*x",
    "2 - REGRESIE HIPERBOLICA : y=b0+b1/x",  "3 - REGRESIE CU FUNCTIE PUTERE : y=b0*x^b1",
    "4 - REGRESIE EXPONENTIALA : y=b0*b1^X", "5 - REGRESIE PARABOLICA : y=b0+b1*X+b2*X^2",
};
constexpr std::string_view kPrompt = "Cate perechi (experimentale) x,y ai:";

constexpr int kEnd = std::char_traits<char>::eof();
constexpr std::int64_t kTwoToThe31 = std::int64_t{1} << 31;

// Blanks, line breaks and the other control characters separate replies.
bool separator(int c) {
    return c <= ' ' || c == 0x7f;
}

}  // namespace

void write_text(Console& console, std::string_view text) {
    if (console.failed) return;
    console.out->write(text.data(), static_cast<std::streamsize>(text.size()));
    console.out->flush();  // the prompt has no line break and must show before the read
}

std::int32_t read_integer(Console& console) {
    if (console.failed) return 0;
    std::istream& in = *console.in;
    int c = in.get();
    while (c != kEnd && separator(c)) c = in.get();
    if (c == kEnd) return 0;

    // Digit by digit, so that a reply of any length needs no storage.
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = in.get();
    bool whole = c != kEnd && !separator(c);  // a sign alone is no number
    std::int64_t magnitude = 0;               // held just above 2^31 once it is too large
    for (; c != kEnd && !separator(c); c = in.get()) {
        if (c < '0' || c > '9') {
            whole = false;
        } else {
            magnitude = std::min(magnitude * 10 + (c - '0'), kTwoToThe31 + 1);
        }
    }
    // The rest of the line goes, unless the number itself ended it.
    while (c != kEnd && c != '\n') c = in.get();

    const std::int64_t largest = negative ? kTwoToThe31 : kTwoToThe31 - 1;
    if (!whole || magnitude > largest) {
        console.failed = true;
        return 0;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

Answers ask_model_and_count(Console& console) {
    for (std::string_view line : kMenu) {
        write_text(console, line);
        write_text(console, "\n");
    }
    Answers a;
    a.model = read_integer(console);
    write_text(console, kPrompt);
    a.count = read_integer(console);
    return a;
}

}  // namespace regression
