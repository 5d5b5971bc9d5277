#include "palette.hpp"

#include <limits>

namespace gfx {
namespace {

// Palette levels are 6-bit DAC values; four steps of 8 bits each (63 -> 252), as in 0-15.
constexpr std::uint8_t dac(int v) {
    return static_cast<std::uint8_t>(v * 4);
}

constexpr std::array<int, 16> kGreyRamp{0,  5,  8,  11, 14, 17, 20, 24,
                                        28, 32, 36, 40, 45, 50, 56, 63};

// One block of 24 hues running blue -> magenta -> red -> yellow -> green -> cyan -> blue,
// between a low and a high level with three steps in between.
void hue_block(Palette& p, int first, int lo, std::array<int, 3> mid, int hi) {
    const std::array<int, 5> up{lo, mid[0], mid[1], mid[2], hi};
    int i = first;
    auto put = [&](int r, int g, int b) {
        p[static_cast<std::size_t>(i++)] = {dac(r), dac(g), dac(b)};
    };
    for (int k = 0; k < 4; ++k) put(up[static_cast<std::size_t>(k)], lo, hi);  // blue -> magenta
    for (int k = 4; k > 0; --k) put(hi, lo, up[static_cast<std::size_t>(k)]);  // magenta -> red
    for (int k = 0; k < 4; ++k) put(hi, up[static_cast<std::size_t>(k)], lo);  // red -> yellow
    for (int k = 4; k > 0; --k) put(up[static_cast<std::size_t>(k)], hi, lo);  // yellow -> green
    for (int k = 0; k < 4; ++k) put(lo, hi, up[static_cast<std::size_t>(k)]);  // green -> cyan
    for (int k = 4; k > 0; --k) put(lo, up[static_cast<std::size_t>(k)], hi);  // cyan -> blue
}

Palette build_palette() {
    Palette p{};
    constexpr std::array<Colour, 16> kBase{{{0, 0, 0},
                                            {0, 0, 168},
                                            {0, 168, 0},
                                            {0, 168, 168},
                                            {168, 0, 0},
                                            {168, 0, 168},
                                            {168, 84, 0},
                                            {168, 168, 168},
                                            {84, 84, 84},
                                            {132, 132, 252},
                                            {84, 252, 84},
                                            {84, 252, 252},
                                            {252, 84, 84},
                                            {252, 84, 252},
                                            {252, 252, 84},
                                            {252, 252, 252}}};
    for (std::size_t i = 0; i < 16; ++i) p[i] = kBase[i];
    for (std::size_t i = 0; i < 16; ++i)
        p[16 + i] = {dac(kGreyRamp[i]), dac(kGreyRamp[i]), dac(kGreyRamp[i])};
    // Three intensities, each with full, medium and low saturation.
    hue_block(p, 32, 0, {16, 31, 47}, 63);
    hue_block(p, 56, 31, {39, 47, 55}, 63);
    hue_block(p, 80, 45, {49, 54, 58}, 63);
    hue_block(p, 104, 0, {7, 14, 21}, 28);
    hue_block(p, 128, 14, {17, 21, 24}, 28);
    hue_block(p, 152, 20, {22, 24, 26}, 28);
    hue_block(p, 176, 0, {4, 8, 12}, 16);
    hue_block(p, 200, 8, {10, 12, 14}, 16);
    hue_block(p, 224, 11, {12, 13, 15}, 16);
    // 248-255 stay black.
    return p;
}

}  // namespace

const Palette& default_palette() {
    static const Palette palette = build_palette();
    return palette;
}

std::uint8_t nearest_entry(Colour c) {
    const Palette& p = default_palette();
    int best = 0;
    int best_d = std::numeric_limits<int>::max();
    for (int i = 0; i < 256; ++i) {
        const Colour e = p[static_cast<std::size_t>(i)];
        const int dr = int{e.r} - c.r, dg = int{e.g} - c.g, db = int{e.b} - c.b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < best_d) {
            best_d = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace gfx
